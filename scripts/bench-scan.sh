#!/usr/bin/env bash
# The cost of a J2SE scan on a machine with 60 registered Java installations
# spread over every layout, both registry views and both roots, and of a J2ME
# scan with one SDK of every family and 1,000 devices (with the XML documents it
# loads against the distinct files). Not part of the test run.
#   1. the registry keys the scan opens, counted on the in-memory ports (native
#      Release build in build/bench)
#   2. whole runs of Quillmont.exe under Wine, /setup and the Scan button until
#      the results appear, against the same on an empty machine
#      (build/bench-windows; QUILLMONT_BENCH_RUNS rounds, default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${QUILLMONT_BENCH_JOBS:-2}
runs=${QUILLMONT_BENCH_RUNS:-5}
"$root/scripts/bootstrap.sh"

cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_BENCH=ON \
  -DQUILLMONT_TESTS=OFF >/dev/null
cmake --build "$root/build/bench" -j "$jobs" --target quillmont_scan_keys >/dev/null
"$root/build/bench/bench/quillmont_scan_keys"
echo

cmake -S "$root" -B "$root/build/bench-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/bench-windows" -j "$jobs" --target scan_timing >/dev/null
(
  source "$root/scripts/wine-env.sh"
  quillmont_start_wine
  # The program's settings are emptied for the runs and put back afterwards.
  backup=$(mktemp)
  wine reg export 'HKCU\Software\Brenwick\Quillmont\setup1' "$(winepath -w "$backup")" /y >/dev/null 2>&1 || : >"$backup"
  wine "$root/build/bench-windows/bin/scan_timing.exe" "$runs"
  [ -s "$backup" ] && wine reg import "$(winepath -w "$backup")" >/dev/null 2>&1
  rm -f "$backup"
)
