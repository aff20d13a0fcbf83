#!/usr/bin/env bash
# The long runs that the test command keeps short, under Wine:
#   - every dialog opened and closed 1,000 times in one process, its handles,
#     USER and GDI objects unchanged (the test command opens each 100 times);
#   - every real archive end to end: each of Debian's jars and each tool-built
#     suite opened through Quillmont.exe (the test command opens three of each,
#     and the native suites read every one).
# It builds what is missing first, and ends with ctest's summary.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" windows || exit 1
source "$root/scripts/wine-env.sh"
quillmont_start_test_wine || exit 1
QUILLMONT_LEAK_ROUNDS=1000 QUILLMONT_SOAK=1 \
  ctest --test-dir "$root/build/windows" --output-on-failure --timeout 1800 -j1 -R '^(DialogLeaks|RealArchives)\.'
