#!/usr/bin/env bash
# Builds iVemba and runs every test: a normal build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the formatting check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build and test"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIVEMBA_TOOLS=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DIVEMBA_SANITIZE=ON -DIVEMBA_TOOLS=OFF
cmake --build build-asan -j"$jobs"
# Leak checking stays off: the system's font and graphics libraries keep caches for the
# life of the process, which LeakSanitizer reports as leaks of ours.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
