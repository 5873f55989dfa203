#!/bin/bash
# Runs one test program under Wine for CTest: wine-test.sh PROGRAM ARGS...
# About once in a whole run of the suites, Wine ends a program within 10 ms,
# before its first line and without a word. Such a start, and only such
# a start (nothing printed, exit code not 0), is made once more, and the log
# says so with Wine's exit code. A program that printed anything is never
# run again: its failure is the test's. With WINE_TEST_NOTES naming a file,
# each such start is also noted there, since CTest shows a passing test's
# output to nobody.
set -o pipefail
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
# Each stream stays what it was (CTest lists the tests from the output alone).
wine "$@" 2> >(tee "$err" >&2) | tee "$out"
rc=$?
wait
if [ "$rc" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
  note="wine-test.sh: Wine ended $* before its first line (exit code $rc); it is started once more"
  echo "$note" >&2
  [ -z "${WINE_TEST_NOTES:-}" ] || echo "$note" >>"$WINE_TEST_NOTES"
  wine "$@"
  rc=$?
fi
exit "$rc"
