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
# Killed processes go away in their own time, and where nothing reaps orphans
# they stay behind as zombies: wait up to 20 s for no live member of the group.
live_in_group() { ps -e -o pgid=,stat= | awk -v g="$1" '$1 == g && $2 !~ /^Z/' | grep -q .; }
for _ in $(seq 100); do live_in_group "$windows_group" || break; sleep 0.2; done
check "nothing it started is left running" eval '! live_in_group "$windows_group"'

rm -rf "$stand_in"
exit "$status"
