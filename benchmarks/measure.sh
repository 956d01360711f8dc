# Timing helpers sourced by the benchmark scripts; they expect $work (a scratch folder) and
# $runs to be set.

# Prints "SECONDS MAXRSS_KB" of one run of the command (MAXRSS empty without /usr/bin/time).
measure_once() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null
        cat "$work/time.txt"
    else
        local TIMEFORMAT='%R'
        { time "$@" >/dev/null 2>&1; } 2>"$work/time.txt"
        echo "$(cat "$work/time.txt") "
    fi
}

# Prints the best time and the largest peak memory over the runs.
measure() {
    local best='' peak=0 seconds rss
    for ((i = 0; i < runs; i++)); do
        read -r seconds rss < <(measure_once "$@")
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
        fi
        if [ -n "${rss:-}" ] && [ "$rss" -gt "$peak" ]; then peak=$rss; fi
    done
    echo "$best $peak"
}
