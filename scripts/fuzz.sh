#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz, the libraries instrumented too,
# and runs each for a bounded time on a copy of its committed seed corpus. Any crash, leak,
# sanitizer report or time-out fails the run; the input is kept under build-fuzz/findings.
# Usage: scripts/fuzz.sh [seconds per target, default 15] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    # Every fuzz_*.cpp under fuzz/ is a target of that name.
    mapfile -t targets < <(find fuzz -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
fi
build=build-fuzz
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DIVEMBA_FUZZ=ON -DIVEMBA_TESTS=OFF -DIVEMBA_TOOLS=OFF -DIVEMBA_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
    # The fuzzer adds what it learns to the working copy, never to the committed seeds.
    work="$build/corpus/$target"
    mkdir -p "$work"
    log="$build/findings/$target.log"
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        echo "-- $target: ${runs:-?} executions, no finding"
    else
        echo "-- $target: FINDING (log $log)"
        grep -m3 -E 'ERROR|runtime error|SUMMARY|deadly signal' "$log" || tail -20 "$log"
        status=1
    fi
done
exit "$status"
