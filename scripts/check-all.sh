#!/usr/bin/env bash
# The full check: the quick test command, then the whole suite built with AddressSanitizer and
# UBSan (build-asan), then every libFuzzer target built with clang (build-fuzz) and run for
# FUZZ_SECONDS (default 60) over the seeds in tests/data. Any failing test, sanitizer report,
# fuzzer crash, leak, timeout or out-of-memory fails it.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds="${FUZZ_SECONDS:-60}"

echo "== quick test command"
./scripts/test.sh

# libFuzzer ships in Debian 12's clang runtime package.
./scripts/setup.sh clang libclang-rt-14-dev

echo "== test suite under AddressSanitizer and UBSan (build-asan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVEL_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=all"
# Only what the tests run: their executables and quarvel-cli, no program or benchmarks. A test
# that is a script rather than an executable of its own (the install layout, which the quick
# stage ran) is left out here.
mapfile -t test_names < <(ctest --test-dir build-asan -N | sed -n 's/^ *Test *#[0-9]*: //p')
mapfile -t known_targets < <(cmake --build build-asan --target help | sed -n 's/^\([^: ]*\): .*/\1/p')
test_targets=()
for name in "${test_names[@]}"; do
    for known in "${known_targets[@]}"; do
        if [ "$name" = "$known" ]; then
            test_targets+=("$name")
            break
        fi
    done
done
cmake --build build-asan --target quarvel-cli "${test_targets[@]}"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --timeout 600 -j 2 \
    -R "^($(IFS='|'; echo "${test_targets[*]}"))\$"

echo "== fuzz targets (build-fuzz), ${fuzz_seconds} s each"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUARVEL_FUZZ=ON -DQUARVEL_BUILD_TESTS=OFF
fuzz_targets=(fuzz_reader fuzz_json fuzz_settings fuzz_language fuzz_macros)
cmake --build build-fuzz --target "${fuzz_targets[@]}"

# Seeds of each target, all in tests/data.
seeds_for() {
    case "$1" in
        fuzz_reader) echo tests/data/reader tests/data/writer tests/data/cli tests/data/fuzz/reader ;;
        fuzz_json) echo tests/data/cli/project.json tests/data/fuzz/json ;;
        fuzz_settings) echo tests/data/fuzz/settings ;;
        fuzz_language) echo tests/data/fuzz/language ;;
        fuzz_macros) echo tests/data/fuzz/macros ;;
    esac
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=()
for target in "${fuzz_targets[@]}"; do
    # The fuzzer adds what it finds to its corpus: a copy, so tests/data is never written.
    corpus="$work/$target/corpus"
    mkdir -p "$corpus" "$work/$target/artifacts"
    for seed in $(seeds_for "$target"); do
        [ -e "$seed" ] && find "$seed" -type f -exec cp --backup=numbered -t "$corpus" {} +
    done
    echo "-- $target"
    if ! ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1 \
        "build-fuzz/tests/fuzz/$target" -max_total_time="$fuzz_seconds" -max_len=8192 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/$target/artifacts/" "$corpus" > "$work/$target/log" 2>&1; then
        tail -n 60 "$work/$target/log"
        mkdir -p build-fuzz/findings
        cp -r "$work/$target/artifacts" "build-fuzz/findings/$target"
        echo "$target failed: its input is in build-fuzz/findings/$target"
        failed+=("$target")
    else
        grep -E '^stat::number_of_executed_runs|^Done ' "$work/$target/log" || true
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing failed: ${failed[*]}"
    exit 1
fi
echo "== full check passed"
