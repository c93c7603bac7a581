#!/usr/bin/env bash
# only-qt-thread-leak.sh LOG: succeeds when every failure in a sanitized test run's LOG is
# the one known loss inside Qt Core: a Qt-made thread's data (152 bytes, allocated where
# Debian's Qt Core 6.4.2 builds a thread's private part), which the leak checker now and then
# reports at exit of a process whose Qt threads were all waited for. Any other report, any
# failed assertion, time-out or crash, or a leak of any other size or place, fails.
set -euo pipefail
log=$1
count() { grep -cF -- "$1" "$log" || true; }
reports=$(count "ERROR: LeakSanitizer")
known=$(count "Direct leak of 152 byte(s) in 1 object(s) allocated from")
site=$(count "(/lib/x86_64-linux-gnu/libQt6Core.so.6+0x1f3481)")
[ "$reports" -gt 0 ] || exit 1
[ "$reports" -eq "$known" ] && [ "$known" -eq "$site" ] || exit 1
[ "$(count "Direct leak of")" -eq "$known" ] || exit 1
# Every failed test must have such a report of its own: a test that aborted or failed for
# any other reason prints none of the words below, but it still counts here.
failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | grep -cE '^[[:space:]]+[0-9]+ - ' || true)
[ "$failed" -gt 0 ] && [ "$failed" -le "$known" ] || exit 1
for other in "Indirect leak of" "ERROR: AddressSanitizer" "runtime error:" "[  FAILED  ]" \
    "***Failed" "***Timeout" "SegFault"; do
    [ "$(count "$other")" -eq 0 ] || exit 1
done
