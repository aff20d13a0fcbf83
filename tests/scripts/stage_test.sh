#!/usr/bin/env bash
# The test command's own bookkeeping: a stage that dies is a failure, and a
# Windows stage killed half-way reports no earlier run's counts and leaves none
# of what it started running. Prints "ok ..." lines; exits 1 on a miss.
root=$(cd "$(dirname "$0")/../.." && pwd)
passed=0; failed=0; retried=0
source "$root/scripts/test-stages.sh"
status=0
check() { if "${@:2}"; then echo "ok      $1"; else echo "FAILED  $1"; status=1; fi; }

dies() { return 3; }
stage "a stage that dies" dies >/dev/null
check "a stage that ends with a failure status without counting one is a failure" test "$failed" -eq 1

# The Windows stage with a ctest that kills the stage's shell outright, after an
# earlier run left its counts behind.
stand_in=$(mktemp -d)
printf '#!/bin/sh\nkill -KILL $PPID\nsleep 30\n' >"$stand_in/ctest"; chmod +x "$stand_in/ctest"
echo "353 0 0" >"$root/build/windows-counts"
failed=0; passed=0
PATH="$stand_in:$PATH" windows_suites >"$stand_in/out" 2>&1
check "a Windows stage killed half-way is a failure and reports no counts" test "$failed" -eq 1 -a "$passed" -eq 0
check "it says so" grep -q "the Windows stage ended early" "$stand_in/out"
sleep 1
check "nothing it started is left running" test -z "$(pgrep -g "$windows_group")"
rm -rf "$stand_in"
exit "$status"
