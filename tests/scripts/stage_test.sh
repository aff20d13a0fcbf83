#!/usr/bin/env bash
# The test command's own bookkeeping: a stage that dies is a failure, a Windows
# stage killed half-way reports no earlier run's counts and leaves none of what
# it started running, and a clone without the real-file corpus passes with the
# tests that read it skipped (but fails under CI). Prints "ok ..." lines; exits
# 1 on a miss.
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

# A clone without the real-file corpus: the corpus check says where it looked,
# fails only under CI, and the native suites pass with the corpus tests skipped.
hidden=$(mktemp -d)/no-corpus
failed=0; passed=0
QUILLMONT_TESTDATA=$hidden CI=false check_corpus >"$hidden.out"
check "without the corpus the run goes on and says where it looked" \
  eval '[ "$failed" -eq 0 ] && grep -qF "the real-file corpus is not at $hidden" "$hidden.out"'
QUILLMONT_TESTDATA=$hidden CI=true check_corpus >/dev/null
check "under CI a missing corpus is a failure" test "$failed" -eq 1
failed=0; passed=0; skipped=0; skipped_tests=()
QUILLMONT_TESTDATA=$hidden run_ctest native -j"$(nproc)" >/dev/null
# The suites of the tests that read the corpus (eleven of them natively).
corpus_tests="^(AttributeDocument|JadFlow|JarFlow|ZipArchiveReader|ZipCorpus|zip_corpus_table)[. ]"
read_corpus=$(printf '%s\n' "${skipped_tests[@]}" | grep -cE "$corpus_tests")
check "the native suites pass without it, $read_corpus tests that read it skipped and counted" \
  eval '[ "$failed" -eq 0 ] && [ "$read_corpus" -ge 10 ] && [ "${#skipped_tests[@]}" -eq "$skipped" ]'
check "no other test is skipped for want of it" \
  eval '! printf "%s\n" "${skipped_tests[@]}" | grep -vE "$corpus_tests|^HttpContract[.]"'
rm -rf "$(dirname "$hidden")"
exit "$status"
