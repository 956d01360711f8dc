#!/usr/bin/env bash
# Builds the benchmark programs in Release, generates the large installer into a temporary
# folder (its sources are not on disk: the check finds every one missing), times the reader,
# the check and the writer, and compares `quarvel-cli roundtrip` side by side with
# `xmllint --noout` on the same ModuleConfig.xml (best of RUNS, peak memory of each).
#
#   benchmarks/run.sh [RUNS]        (default 5; QUARVEL_BENCH_BUILD sets the build folder)
set -euo pipefail

runs=${1:-5}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QUARVEL_BENCH_BUILD:-$source_dir/build-bench}

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUARVEL_BUILD_TESTS=OFF >/dev/null
ninja -C "$build_dir" quarvel-cli quarvel-bench-gen quarvel-bench quarvel-bench-preview \
    quarvel-bench-editor >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build_dir/benchmarks/quarvel-bench-gen" "$work/large"
config="$work/large/fomod/ModuleConfig.xml"
config_bytes=$(stat -c %s "$config")
echo
"$build_dir/benchmarks/quarvel-bench" "$work/large" "$runs"
QT_QPA_PLATFORM=offscreen "$build_dir/benchmarks/quarvel-bench-preview" "$work/large" "$runs" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$build_dir/benchmarks/quarvel-bench-editor" "$work/large" "$runs" 2>/dev/null
echo

source "$source_dir/benchmarks/measure.sh"

read -r cli_seconds cli_rss < <(measure "$build_dir/quarvel-cli" roundtrip "$work/large" "$work/out")
if command -v xmllint >/dev/null; then
    read -r xmllint_seconds xmllint_rss < <(measure xmllint --noout "$config")
else
    echo "xmllint not found (Debian package libxml2-utils): no comparison"
    exit 0
fi

awk -v size="$config_bytes" -v runs="$runs" \
    -v cs="$cli_seconds" -v cr="$cli_rss" -v xs="$xmllint_seconds" -v xr="$xmllint_rss" '
BEGIN {
    mb = size / 1e6
    printf "Side by side on ModuleConfig.xml (%.1f MB), best of %d runs:\n", mb, runs
    printf "  %-44s %7.2f s  peak %7.1f MB (%.2f x file)\n", \
        "quarvel-cli roundtrip (read both, write both)", cs, cr * 1024 / 1e6, cr * 1024 / size
    printf "  %-44s %7.2f s  peak %7.1f MB (%.2f x file)\n", \
        "xmllint --noout (parse only)", xs, xr * 1024 / 1e6, xr * 1024 / size
    printf "Aims: roundtrip within 0.6 x the time of xmllint: %s (%.2f x); roundtrip peak memory < 2 x file: %s\n", \
        (cs <= 0.6 * xs ? "met" : "NOT met"), cs / xs, (cr == 0 ? "not measured" : (cr * 1024 < 2 * size ? "met" : "NOT met"))
}'
