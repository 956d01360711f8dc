#!/usr/bin/env bash
# Measures how `quarvel-cli dump` grows with the number of elements: installers of 100,000 and
# 1,000,000 named steps, best time and largest peak memory of RUNS
# runs of each, against the size of the JSON printed.
#
#   benchmarks/dump.sh [RUNS]       (default 3; QUARVEL_BENCH_BUILD sets the build folder)
set -euo pipefail

runs=${1:-3}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QUARVEL_BENCH_BUILD:-$source_dir/build-bench}

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUARVEL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build_dir" quarvel-cli quarvel-bench-gen >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$source_dir/benchmarks/measure.sh"

declare -A seconds rss json
for steps in 100000 1000000; do
    "$build_dir/benchmarks/quarvel-bench-gen" --steps "$steps" "$work/s$steps"
    "$build_dir/quarvel-cli" dump "$work/s$steps" >"$work/s$steps.json"
    json[$steps]=$(stat -c %s "$work/s$steps.json")
    rm "$work/s$steps.json"
    read -r seconds[$steps] rss[$steps] < <(measure "$build_dir/quarvel-cli" dump "$work/s$steps")
    rm -rf "$work/s$steps"
done

awk -v runs="$runs" -v s1="${seconds[100000]}" -v s2="${seconds[1000000]}" \
    -v r1="${rss[100000]}" -v r2="${rss[1000000]}" -v j1="${json[100000]}" -v j2="${json[1000000]}" '
BEGIN {
    printf "quarvel-cli dump, best of %d runs:\n", runs
    printf "  %9s steps: %6.2f s  peak %7.1f MB  JSON %7.1f MB  peak/JSON %.2f\n", \
        "100,000", s1, r1 * 1024 / 1e6, j1 / 1e6, r1 * 1024 / j1
    printf "  %9s steps: %6.2f s  peak %7.1f MB  JSON %7.1f MB  peak/JSON %.2f\n", \
        "1,000,000", s2, r2 * 1024 / 1e6, j2 / 1e6, r2 * 1024 / j2
    printf "Growth for 10 x the steps: time %.1f x, peak memory %.1f x\n", s2 / s1, r2 / r1
    printf "Targets: time within 11 x: %s; peak under 2 x the JSON: %s\n", \
        (s2 / s1 <= 11 ? "met" : "NOT met"), (r2 * 1024 < 2 * j2 && r1 * 1024 < 2 * j1 ? "met" : "NOT met")
}'
