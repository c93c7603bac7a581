#!/usr/bin/env bash
# Builds iVemba and runs every test: the formatting check; a build with every test and
# benchmark (each benchmark runs once, briefly, so that none can rot); then every test
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build and test"
cmake --preset test
cmake --build --preset test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

echo "== every benchmark, once"
for bench in build-test/bin/bench_*; do
    echo "-- $(basename "$bench")"
    "$bench" --benchmark_min_time=0.001 --benchmark_repetitions=1 >/dev/null
done

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize -j"$jobs"
# Leak checking stays off: the system's font and graphics libraries keep caches for the
# life of the process, which LeakSanitizer reports as leaks of ours.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== install, desktop entry, metainfo and package"
bash scripts/package-check.sh build-test

echo "== fuzzing, every target for 15 s"
bash scripts/fuzz.sh 15
