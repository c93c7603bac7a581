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

echo "== layering"
bash scripts/check-layering.sh

echo "== build and test"
cmake --preset test
cmake --build --preset test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

echo "== every benchmark, once"
# Briefly: the figures are read from the bench build, this only keeps every bench running.
export IVEMBA_BENCH_BRIEF=1
for bench in build-test/bin/bench_*; do
    echo "-- $(basename "$bench")"
    "$bench" --benchmark_min_time=0.001 --benchmark_repetitions=1 >/dev/null
done
unset IVEMBA_BENCH_BRIEF

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize -j"$jobs"
# Leaks are checked too; what system libraries keep for the life of the process is listed
# in scripts/lsan.supp.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt Core now and then loses one of its own threads' data at exit, at a place no suppression
# can name (the library has no symbols for it): tests that fail with that report alone, and
# nothing else, run once more; any other failure fails the run.
if ! ctest --test-dir build-asan --output-on-failure -j"$jobs" 2>&1 | tee build-asan/ctest.log; then
    bash scripts/only-qt-thread-leak.sh build-asan/ctest.log
    echo "-- only Qt Core's lost thread data: those tests once more"
    ctest --test-dir build-asan --output-on-failure --rerun-failed
fi
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

echo "== install, desktop entry, metainfo and package"
bash scripts/package-check.sh build-test

echo "== fuzzing, every target for 10 s"
bash scripts/fuzz.sh 10
