#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the four configurations, checks
# the layers, runs the native and sanitizer suites, the Windows and end-to-end
# suites under Wine, the installer, the update address over TLS, the demo, the
# run command without a display, and each fuzz target for a short fixed time. It
# ends with a table of the stages and their seconds, the tests that were skipped,
# and one line "N passed, N failed, N retried, N skipped". A clone without the
# real-file corpus beside it skips the tests that read it; under CI (CI=true) the
# corpus must be there.
#   QUILLMONT_TESTDATA      the corpus folder (default: ../shared/testdata)
#   QUILLMONT_FUZZ_SECONDS  seconds per fuzz target (default 20)
# The longer runs (a thousand openings of every dialog, every real archive end to
# end) are scripts/soak.sh.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fuzz_seconds="${QUILLMONT_FUZZ_SECONDS:-20}"
passed=0; failed=0; retried=0; skipped=0
source "$root/scripts/test-stages.sh"

stage bootstrap "$root/scripts/bootstrap.sh" || { stage_table; exit 1; }
stage "real-file corpus" check_corpus
for config in native asan windows fuzz; do
  stage "build $config" "$root/scripts/build.sh" "$config" || { stage_table; closing_lines; exit 1; }
done

stage layers check_layers
stage "the executable" check_executable
stage "Windows 7 as the target" windows7_target
stage "release, built twice" release_twice
stage "release manifests" release_manifests
stage "signed release" signed_release
stage "native suites" run_ctest native -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 stage "sanitizer suites" run_ctest asan -j"$(nproc)"
stage "the test command itself" self_check
stage "Windows suites" windows_suites
stage installer installer_round_trip
stage "update address over TLS" tls_round_trip
stage "demo (run.sh)" demo_run
stage "run.sh without a display" headless_run
stage fuzzing fuzz_targets

stage_table
closing_lines
[ "$failed" -eq 0 ]
