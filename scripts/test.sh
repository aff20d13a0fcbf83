#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the four configurations, runs
# the native and sanitizer suites, the Windows and end-to-end suites under Wine,
# and each fuzz target for a short fixed time.
#   QUILLMONT_FUZZ_SECONDS  seconds per fuzz target (default 20)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fuzz_seconds="${QUILLMONT_FUZZ_SECONDS:-20}"
testdata="$root/../shared/testdata"
passed=0; failed=0

"$root/scripts/bootstrap.sh" || exit 1
"$root/scripts/build.sh" native asan windows fuzz || exit 1

# Prints what each failed test of a ctest log printed (ctest's --output-on-failure),
# so that a failure on a machine of its own can be read from the run's output.
print_failures() {
  awk '/\*\*\*(Failed|Timeout|Exception)/ { show = 1; shown = 0; print; next }
       /^ *Start +[0-9]+:|^ *[0-9]+\/[0-9]+ Test +#|tests passed, / { show = 0 }
       show && shown < 40 { print "   | " $0; shown++ }' "$1"
}

# The closing line of a ctest log: "N% tests passed, B tests failed out of T".
ctest_summary() { grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1; }

# Adds the counts of one ctest run (its closing line) to the totals. With --retry,
# the tests that failed run once more: a test that then passes is counted as passed
# and named, with what it printed the first time; one that fails twice is a failure.
run_ctest() {
  local name=$1; shift
  local retry=0
  if [ "${1:-}" = --retry ]; then retry=1; shift; fi
  local log="$root/build/$name-ctest.log"
  echo "== $name suites"
  ctest --test-dir "$root/build/$name" --output-on-failure --timeout 180 "$@" >"$log" 2>&1
  local summary total bad
  summary=$(ctest_summary "$log")
  if [ -z "$summary" ]; then
    tail -n 40 "$log"; echo "   $name: no test summary"; failed=$((failed + 1)); return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  if [ "$bad" -gt 0 ] && [ "$retry" -eq 1 ]; then
    local again="$root/build/$name-ctest-again.log" still
    ctest --test-dir "$root/build/$name" --output-on-failure --timeout 180 --rerun-failed "$@" >"$again" 2>&1
    still=$(sed -nE 's/.* ([0-9]+) tests? failed out of [0-9]+.*/\1/p' <<<"$(ctest_summary "$again")")
    still=${still:-$bad}
    echo "   $bad failed at first, $((bad - still)) of them passed when run again; what they printed the first time:"
    print_failures "$log"
    if [ "$still" -eq 0 ]; then
      echo "   $total tests, all passed ($bad of them at the second attempt)"
      passed=$((passed + total)); return
    fi
    echo "   and the second time:"
    log=$again; bad=$still
    summary="$bad of $total tests failed twice"
  fi
  print_failures "$log"
  grep -E 'Not Run' "$log" || true
  echo "   $summary"
  [ "$bad" -eq 0 ] || sed -n '/The following tests FAILED/,$p' "$log"
  passed=$((passed + total - bad)); failed=$((failed + bad))
}

echo "== layers"
if "$root/scripts/check-layers.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
# The check itself must fail on each kind of upward include, planted in a copy.
layer_probe=$(mktemp -d); layer_misses=""
for plant in 'base/wide_string.h:platform/files.h' 'platform/registry.h:core/starters/starter_kind.h' \
             'core/scan/scanner_utilities.h:win32/platform/wide_text.h' 'core/launch/jad_flow.cpp:windows.h'; do
  rm -rf "$layer_probe/src"; cp -r "$root/src" "$layer_probe/src"; mkdir -p "$layer_probe/tests"
  target=${plant%%:*}; included=${plant#*:}
  if [ "$included" = windows.h ]; then echo '#include <windows.h>' >>"$layer_probe/src/$target"
  else echo "#include \"$included\"" >>"$layer_probe/src/$target"; fi
  "$root/scripts/check-layers.sh" "$layer_probe" >/dev/null && layer_misses+=" $target->$included"
done
rm -rf "$layer_probe"
if [ -z "$layer_misses" ]; then echo "   the layer check fails on every planted upward include"; passed=$((passed + 1))
else echo "   the layer check missed:$layer_misses"; failed=$((failed + 1)); fi
if [ "$(x86_64-w64-mingw32-objdump -p "$root/build/windows/bin/Quillmont.exe" | grep 'DLL Name' |
        grep -viE 'DLL Name: *(kernel32|user32|gdi32|comctl32|comdlg32|ole32|oleaut32|shell32|shlwapi|advapi32|msvcrt|wininet|version|uxtheme)\.dll')" = "" ]; then
  echo "   Quillmont.exe imports system DLLs only"; passed=$((passed + 1))
else
  echo "   Quillmont.exe imports a DLL that is not the system's:"; x86_64-w64-mingw32-objdump -p "$root/build/windows/bin/Quillmont.exe" | grep 'DLL Name'
  failed=$((failed + 1))
fi

exe="$root/build/windows/bin/Quillmont.exe"
# Opening a file needs no more than these at start; the rest is loaded on first use.
start_imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -nE 's/^\s*DLL Name: *//p' | tr 'A-Z' 'a-z' | sort | paste -sd' ')
if [ "$start_imports" = "advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll" ]; then
  echo "   Quillmont.exe loads only what a launch needs at start"; passed=$((passed + 1))
else
  echo "   Quillmont.exe loads at start: $start_imports"; failed=$((failed + 1))
fi
size=$(stat -c %s "$exe")
# (grep -c reads to the end: with pipefail, grep -q could leave objdump a broken pipe.)
if [ "$size" -lt 1048576 ] && [ "$(x86_64-w64-mingw32-objdump -t "$exe" 2>&1 | grep -c 'no symbols')" -gt 0 ] &&
   [ "$(x86_64-w64-mingw32-objdump -t "$exe.debug" 2>/dev/null | grep -c 'wWinMain')" -gt 0 ]; then
  echo "   Quillmont.exe is stripped, $size bytes (under 1 MiB); its symbols are in Quillmont.exe.debug"
  passed=$((passed + 1))
else
  echo "   Quillmont.exe is $size bytes, or carries symbols, or has no Quillmont.exe.debug beside it"; failed=$((failed + 1))
fi
# The version is written once, in CMakeLists.txt; the build makes the rest.
version_pattern=$(sed 's/\./[.,] ?/g' <<<"$("$root/scripts/version.sh")")
version_copies=$(grep -rnE "(^|[^0-9.])${version_pattern}([^0-9]|$)" src installer scripts tests/update CMakeLists.txt |
                 grep -vE '^CMakeLists.txt:[0-9]+:project\(Quillmont VERSION')
if [ -z "$version_copies" ]; then echo "   the version stands only in CMakeLists.txt"; passed=$((passed + 1))
else echo "   the version is written elsewhere too:"; echo "$version_copies"; failed=$((failed + 1)); fi

run_ctest native -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan -j"$(nproc)"

(
  source "$root/scripts/wine-env.sh"
  quillmont_start_wine || exit 1
  # The update check's tests ask a stand-in service on 127.0.0.1.
  source "$root/tests/update/update_server.sh"
  quillmont_start_update_server || exit 1
  trap quillmont_stop_update_server EXIT
  # Xvfb has no window manager, and a managed Wine window waits up to two
  # seconds for one whenever a dialog closes; the test run does without.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # One at a time: some tests read message-box icons off the shared screen.
  # Wine now and then loses a race no Windows would (a process start, a window
  # message); a test that fails once is run again, and named in the output.
  run_ctest windows --retry -j1
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
  echo "$passed $failed" >"$root/build/windows-counts"
)
read -r passed failed <"$root/build/windows-counts" 2>/dev/null || failed=$((failed + 1))

# The installer, built from this Quillmont.exe, installed, used and removed under Wine.
echo "== installer"
if QUILLMONT_EXE="$root/build/windows/bin/Quillmont.exe" "$root/scripts/installer.sh" >/dev/null &&
   "$root/tests/installer/installer_test.sh" >"$root/build/installer-test.log" 2>&1; then
  echo "   the installer round trip: $(grep -c '^ok' "$root/build/installer-test.log") checks, all passed"; passed=$((passed + 1))
else
  # Every failed check with what it printed, and the log's end for a run that broke off.
  grep -v '^ok' "$root/build/installer-test.log" 2>/dev/null | tail -n 60
  echo "   the installer round trip failed"; failed=$((failed + 1))
fi

# Quillmont.exe reaches its own https:// update address, pointed at 127.0.0.1 for the run.
echo "== the shipped update address over TLS"
if "$root/tests/update/tls_round_trip.sh" >"$root/build/tls-round-trip.log" 2>&1; then
  echo "   $(grep -c '^ok' "$root/build/tls-round-trip.log") checks, all passed"; passed=$((passed + 1))
else
  grep -v '^ok' "$root/build/tls-round-trip.log" | tail -n 30
  echo "   the update address round trip failed"; failed=$((failed + 1))
fi

# The README's run command without arguments: the sample archive must really run.
echo "== demo: scripts/run.sh"
if demo=$(timeout 300 "$root/scripts/run.sh" 2>&1) && grep -q "Hello from Quillmont's sample archive!" <<<"$demo" &&
   grep -q "archive: *$root/build/demo/sample app.jar" <<<"$demo"; then
  echo "   the sample archive ran through Quillmont.exe and the host's Java"; passed=$((passed + 1))
else
  echo "$demo" | tail -n 20; echo "   the demo did not run"; failed=$((failed + 1))
fi

# The run command on a machine without a display: pictures of the windows, then
# a time-out with a message instead of waiting for ever.
echo "== scripts/run.sh /setup without a display"
headless=$(env -u DISPLAY timeout 120 "$root/scripts/run.sh" --timeout 20 /setup 2>&1); headless_code=$?
if [ "$headless_code" -eq 124 ] && [ -s "$root/build/run-windows/01-Quillmont-Setup.png" ] &&
   grep -q "Quillmont shows \"Quillmont Setup\": $root/build/run-windows/01-Quillmont-Setup.png" <<<"$headless" &&
   grep -q "was still running after 20 s" <<<"$headless"; then
  echo "   the setup dialog was pictured and the run ended after its time-out"; passed=$((passed + 1))
else
  echo "$headless" | grep -v fixme | tail -n 20; echo "   exit code $headless_code; the headless run did not behave"
  failed=$((failed + 1))
fi

echo "== fuzzing, ${fuzz_seconds}s per target"
source "$root/tests/fuzz/targets.sh"
for target in "$root"/build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz/corpus/$name"; mkdir -p "$corpus"
  # No single allocation may exceed 96 MB (the zip reader's entry bound is 64 MiB).
  # The kept corpus and real files from elsewhere seed it (tests/fuzz/targets.sh).
  quillmont_fuzz_options "$name"
  if "$target" "$corpus" "${fuzz_seeds[@]}" "${fuzz_flags[@]}" -max_total_time="$fuzz_seconds" -max_len="$fuzz_max_len" -malloc_limit_mb=96 -print_final_stats=0 \
       -artifact_prefix="$root/build/fuzz/$name-" >"$root/build/fuzz/$name.log" 2>&1; then
    echo "   $name: $(grep -oE 'Done [0-9]+ runs' "$root/build/fuzz/$name.log" | tail -n 1), no crash"
    passed=$((passed + 1))
  else
    tail -n 30 "$root/build/fuzz/$name.log"; echo "   $name: FAILED"
    failed=$((failed + 1))
  fi
done

echo "== all suites"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
