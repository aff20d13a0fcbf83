# Sourced by scripts/test.sh: the stages of the test command. Each adds to the
# counts `passed`, `failed`, `retried` and `skipped` (with the names of the
# skipped tests in `skipped_tests`); `stage` times them for the closing table.

stage_names=(); stage_seconds=()
skipped=${skipped:-0}; skipped_tests=()

# The real files from elsewhere that some tests read (the README of that folder
# says what they are): beside the checkout unless QUILLMONT_TESTDATA names another.
corpus_folder() { echo "${QUILLMONT_TESTDATA:-$(cd "$root/.." && pwd)/shared/testdata}"; }

# A clone without the corpus skips the tests that read it; CI must have it, so
# that it keeps checking everything.
check_corpus() {
  local folder
  folder=$(corpus_folder)
  if [ -f "$folder/README.md" ]; then
    echo "   the real-file corpus is at $folder"; passed=$((passed + 1))
  elif [ "${CI:-}" = true ]; then
    echo "   the real-file corpus is not at $folder, and under CI it must be"; failed=$((failed + 1)); return 1
  else
    echo "   the real-file corpus is not at $folder: the tests that read it are skipped (named at the end)"
  fi
}

# The closing lines: the tests that did not run, then the counts.
closing_lines() {
  if [ "$skipped" -gt 0 ]; then
    echo "== skipped tests"
    printf '   %s\n' "${skipped_tests[@]}"
  fi
  echo "== all suites"
  echo "$passed passed, $failed failed, $retried retried, $skipped skipped"
}

# Runs one stage and notes its seconds. A stage that ends with a failure status
# without having counted one (a stage that died) is counted as a failure here.
stage() {
  local name=$1; shift
  local start=$EPOCHREALTIME before=$failed status
  echo "== $name"
  "$@"; status=$?
  stage_names+=("$name"); stage_seconds+=("$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')")
  if [ "$status" -ne 0 ] && [ "$failed" -eq "$before" ]; then
    echo "   $name ended with status $status: counted as a failure"; failed=$((failed + 1))
  fi
  return "$status"
}

stage_table() {
  local i total=0
  echo "== stages (seconds)"
  for i in "${!stage_names[@]}"; do
    printf '   %-28s %5s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
    total=$((total + stage_seconds[i]))
  done
  printf '   %-28s %5s\n' "total" "$total"
}

# What each failed test of a ctest log printed (ctest's --output-on-failure).
print_failures() {
  awk '/\*\*\*(Failed|Timeout|Exception)/ { show = 1; shown = 0; print; next }
       /^ *Start +[0-9]+:|^ *[0-9]+\/[0-9]+ Test +#|tests passed, / { show = 0 }
       show && shown < 40 { print "   | " $0; shown++ }' "$1"
}

# The closing line of a ctest log: "N% tests passed, B tests failed out of T".
ctest_summary() { grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1; }

# The tests a ctest log lists as skipped, one name a line (ctest counts them among the passed).
skipped_in() { sed -nE 's/^[[:space:]]*[0-9]+ - (.*) \(Skipped\)$/\1/p' "$1"; }

# One line per failed test of a ctest log: its name, a tab, and "wine-start" when
# it printed the harness's mark of a program that Wine did not get going
# (tests/win32/support/remote_program.h), else "other".
failed_tests() {
  awk 'function flush() { if (name != "") print name "\t" kind; name = "" }
       /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
         flush()
         if ($0 ~ /\*\*\*(Failed|Timeout|Exception)|Not Run/) {
           name = $0; sub(/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: /, "", name); sub(/ .*/, "", name); kind = "other"
         }
         next }
       /^ *Start +[0-9]+:|tests passed, / { flush(); next }
       name != "" && index($0, "[wine-start]") { kind = "wine-start" }
       END { flush() }' "$1"
}

# Runs one build's ctest and adds its counts. With --wine-retry, a test that
# failed only because Wine did not get Quillmont.exe going is run once more and,
# when it passes then, counted as retried; every other failure counts at once.
run_ctest() {
  local name=$1; shift
  local wine_retry=0
  if [ "${1:-}" = --wine-retry ]; then wine_retry=1; shift; fi
  local log="$root/build/$name-ctest.log" summary total bad skips=()
  rm -f "$log"
  ctest --test-dir "$root/build/$name" --output-on-failure --timeout 180 "$@" >"$log" 2>&1
  summary=$(ctest_summary "$log")
  if [ -z "$summary" ]; then
    tail -n 40 "$log"; echo "   $name: no test summary, the suite did not finish"; failed=$((failed + 1)); return 1
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  print_failures "$log"
  grep -E 'Not Run' "$log" || true
  mapfile -t skips < <(skipped_in "$log")
  echo "   $summary${skips[0]:+, ${#skips[@]} of them skipped}"
  passed=$((passed + total - bad - ${#skips[@]}))
  skipped=$((skipped + ${#skips[@]}))
  [ ${#skips[@]} -eq 0 ] || skipped_tests+=("${skips[@]/%/ ($name)}")
  [ "$bad" -gt 0 ] || return 0
  sed -n '/The following tests FAILED/,$p' "$log"
  local again=() hard=0 test kind
  while IFS=$'\t' read -r test kind; do
    if [ "$wine_retry" -eq 1 ] && [ "$kind" = wine-start ]; then again+=("$test"); else hard=$((hard + 1)); fi
  done < <(failed_tests "$log")
  # A failure the log does not name is a failure too.
  [ $((hard + ${#again[@]})) -ge "$bad" ] || hard=$((bad - ${#again[@]}))
  failed=$((failed + hard))
  [ ${#again[@]} -gt 0 ] || return 1
  local pattern again_log="$root/build/$name-ctest-again.log" still
  pattern="^($(printf '%s\n' "${again[@]}" | sed 's/[][\.*^$+?(){}|]/\\&/g' | paste -sd'|'))\$"
  ctest --test-dir "$root/build/$name" --output-on-failure --timeout 180 -R "$pattern" "$@" >"$again_log" 2>&1
  still=$(sed -nE 's/.* ([0-9]+) tests? failed out of [0-9]+.*/\1/p' <<<"$(ctest_summary "$again_log")")
  still=${still:-${#again[@]}}
  echo "   retried: ${#again[@]} failed because Wine did not get Quillmont.exe going ([wine-start] above);" \
       "run once more, $((${#again[@]} - still)) passed:"
  printf '     %s\n' "${again[@]}"
  [ "$still" -eq 0 ] || { echo "   and failed again:"; print_failures "$again_log"; }
  retried=$((retried + ${#again[@]} - still)); failed=$((failed + still))
  [ "$hard" -eq 0 ] && [ "$still" -eq 0 ]
}

# The layer rule on what the compiler read, then the check itself proven able to
# fail: upward includes of every spelling planted in a copy, each of which it must name.
check_layers() {
  if python3 "$root/scripts/check_layers.py" "$root" "$root/build/native" "$root/build/windows"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  local probe missing=""
  probe=$(mktemp -d /tmp/quillmont-layers.XXXXXX)
  cp -r "$root/src" "$root/tests" "$root/cmake" "$root/CMakeLists.txt" "$probe/"
  # file : line planted : what the check must say
  local plants=(
    'src/base/wide_string.h|#include <core/starters/starter_kind.h>|src/base/wide_string.h (base) reads src/core/starters/starter_kind.h'
    'src/platform/registry.h|#include "../core/scan/scanner_utilities.h"|src/platform/registry.h (platform) reads src/core/scan/scanner_utilities.h'
    'src/core/launch/jad_flow.cpp|#include <shlwapi.h>|src/core/launch/jad_flow.cpp (core) reads the Windows header /usr/share/mingw-w64/include/shlwapi.h'
    'src/core/scan/xml_queries.h|#include <winnt.h>|src/core/scan/xml_queries.h (core) reads the Windows header /usr/share/mingw-w64/include/winnt.h'
    'tests/support/reference_matcher.cpp|#include "win32/platform/wide_text.h"|tests/support/reference_matcher.cpp (portable tests) reads src/win32/platform/wide_text.h'
    'tests/fakes/fake_files.h|#include <win32/platform/unique_handle.h>|tests/fakes/fake_files.h (portable tests) reads src/win32/platform/unique_handle.h'
  )
  local plant file
  for plant in "${plants[@]}"; do
    IFS='|' read -r file line _ <<<"$plant"; echo "$line" >>"$probe/$file"
  done
  local report="$probe/report.txt"
  if ! cmake -S "$probe" -B "$probe/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
         -DCMAKE_TOOLCHAIN_FILE="$probe/cmake/mingw-w64-x86_64.cmake" >"$report" 2>&1 ||
     ! ninja -C "$probe/build" "src/core/CMakeFiles/quillmont_core.dir/launch/jad_flow.cpp.obj" \
         "tests/CMakeFiles/quillmont_test_support.dir/support/reference_matcher.cpp.obj" >>"$report" 2>&1; then
    tail -n 20 "$report"; echo "   the planted copy did not build"; failed=$((failed + 1)); rm -rf "$probe"; return 1
  fi
  python3 "$root/scripts/check_layers.py" "$probe" "$probe/build" >"$report" 2>&1
  for plant in "${plants[@]}"; do
    IFS='|' read -r file line said <<<"$plant"
    grep -qF "$said" "$report" || missing+=$'\n'"     $file: $line"
  done
  rm -rf "$probe"
  if [ -z "$missing" ]; then
    echo "   the layer check names every planted upward include (${#plants[@]} spellings)"; passed=$((passed + 1))
  else
    echo "   the layer check missed:$missing"; failed=$((failed + 1)); return 1
  fi
}

# What the shipped executable is made of.
check_executable() {
  local exe="$root/build/windows/bin/Quillmont.exe" imports
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -nE 's/^\s*DLL Name: *//p' | tr 'A-Z' 'a-z' | sort | paste -sd' ')
  # Opening a file needs no more than these at start; the rest is loaded on first use.
  if [ "$imports" = "advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll" ]; then
    echo "   Quillmont.exe imports system DLLs only, and only what a launch needs at start"; passed=$((passed + 1))
  else
    echo "   Quillmont.exe imports at start: $imports"; failed=$((failed + 1))
  fi
  local size
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
  local version_pattern version_copies
  version_pattern=$(sed 's/\./[.,] ?/g' <<<"$("$root/scripts/version.sh")")
  version_copies=$(grep -rnE "(^|[^0-9.])${version_pattern}([^0-9]|$)" src installer scripts tests/update CMakeLists.txt |
                   grep -vE '^CMakeLists.txt:[0-9]+:project\(Quillmont VERSION')
  if [ -z "$version_copies" ]; then echo "   the version stands only in CMakeLists.txt"; passed=$((passed + 1))
  else echo "   the version is written elsewhere too:"; echo "$version_copies"; failed=$((failed + 1)); fi
}

# The build targets Windows 7: a function newer than that, planted in a copy of
# one of the program's sources and compiled as the build compiles it, must fail
# (GetDpiForWindow stands behind WINVER, CreateFile2 behind _WIN32_WINNT), and the
# functions looked up at run time instead are looked up in one place.
windows7_target() {
  local source="$root/src/win32/ui/dialog_framework.cpp" probe compile=() plant function said missing=""
  probe=$(mktemp -d /tmp/quillmont-windows7.XXXXXX)
  # The build's own command for that file, minus the cache, the output and the dependency file.
  mapfile -d '' -t compile < <(python3 - "$root/build/windows/compile_commands.json" "$source" <<'EOF_PY'
import json, shlex, sys
entry = next(e for e in json.load(open(sys.argv[1])) if e["file"] == sys.argv[2])
args = shlex.split(entry["command"])
while "ccache" in args[0] or args[0].endswith("/env") or "=" in args[0]:
    args.pop(0)
kept, skip = [], False
for arg in args:
    if not skip and arg not in ("-o", "-c", "-MF", "-MT", "-MD", entry["file"]):
        kept.append(arg)
    skip = arg in ("-o", "-c", "-MF", "-MT")
print("\0".join(kept + ["-fsyntax-only"]), end="")
EOF_PY
)
  local plants=(
    ''
    'UINT planted(HWND window) { return GetDpiForWindow(window); }'
    'HANDLE planted() { return CreateFile2(L"x", GENERIC_READ, 0, OPEN_EXISTING, nullptr); }'
  )
  for plant in "${plants[@]}"; do
    printf '#include "%s"\n%s\n' "$source" "$plant" >"$probe/planted.cpp"
    said=$(LC_ALL=C "${compile[@]}" -c "$probe/planted.cpp" 2>&1)
    function=$(sed -nE 's/.*return ([A-Za-z0-9]+)\(.*/\1/p' <<<"$plant")
    if [ -z "$plant" ]; then
      [ -n "${compile[0]:-}" ] && [ -z "$said" ] || missing+=$'\n'"     the unplanted copy did not compile: ${said:0:400}"
    elif ! grep -q "'$function' was not declared" <<<"$said"; then
      missing+=$'\n'"     $function compiled"
    fi
  done
  rm -rf "$probe"
  local lookups
  lookups=$(grep -rlw GetProcAddress "$root/src" | sed "s|^$root/||")
  [ "$lookups" = src/win32/platform/newer_windows.cpp ] || missing+=$'\n'"     GetProcAddress in: $(echo $lookups)"
  if [ -z "$missing" ]; then
    echo "   newer functions than Windows 7's do not compile; the run-time lookups are in newer_windows.cpp"
    passed=$((passed + 1))
  else
    echo "   the Windows 7 target:$missing"; failed=$((failed + 1)); return 1
  fi
}

# The release (scripts/release.sh), made here and then again from a copy of the
# sources in another folder, later, in another time zone and with the time given
# rather than read from git: every file must come out the same, byte for byte.
# (The copy's build takes its objects from the compiler cache.)
release_copy=""
release_twice() {
  local log="$root/build/release-test.log" epoch name differ=""
  epoch=$(git -C "$root" -c safe.directory='*' log -1 --format=%ct)
  if ! env -u SOURCE_DATE_EPOCH "$root/scripts/release.sh" >"$log" 2>&1; then
    tail -n 30 "$log"; echo "   scripts/release.sh failed"; failed=$((failed + 1)); return 1
  fi
  release_copy=$(mktemp -d /tmp/quillmont-release.XXXXXX)
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
     tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -xmf - -C "$release_copy"
  if ! SOURCE_DATE_EPOCH=$epoch TZ=UTC-14 "$release_copy/scripts/release.sh" >>"$log" 2>&1; then
    tail -n 30 "$log"; echo "   scripts/release.sh failed in $release_copy"; failed=$((failed + 1)); return 1
  fi
  for name in $( (ls "$root/build/release"; ls "$release_copy/build/release") | sort -u); do
    cmp -s "$root/build/release/$name" "$release_copy/build/release/$name" || differ+=" $name"
  done
  if [ -z "$differ" ]; then
    echo "   built twice, in two folders: $(ls "$root/build/release" | wc -l) files the same, byte for byte"
    passed=$((passed + 1))
  else
    echo "   the two builds differ in:$differ"; failed=$((failed + 1)); return 1
  fi
}

# The release's manifests, read as winget and Scoop read them, against its files;
# its Quillmont.exe is the one the Windows suites tested.
release_manifests() {
  local said
  if said=$(python3 "$root/tests/release/release_check.py" "$root/build/release" "$("$root/scripts/version.sh")" \
              "$root/build/windows/bin/Quillmont.exe" "$root/installer/quillmont.nsi" 2>&1); then
    echo "   $said"; passed=$((passed + 1))
  else
    echo "$said" | sed 's/^/   /'; failed=$((failed + 1)); return 1
  fi
}

# A release signed with a throwaway certificate (made here, issued by a throwaway
# authority) in the copy of the sources: the setup program and the program in the
# zip verify against that authority with a SHA-256 digest, the manifests name the
# signed files, and the default release here stays unsigned.
signed_release() {
  local keys="$release_copy/keys" out="$release_copy/build/release" log="$root/build/release-test.log" bad=""
  local version file
  version=$("$root/scripts/version.sh")
  if [ -z "$release_copy" ] || ! mkdir -p "$keys"; then
    echo "   no copy of the sources from the stage before"; failed=$((failed + 1)); return 1
  fi
  {
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/ca.key" -out "$keys/ca.pem" -days 2 \
      -subj "/CN=Quillmont throwaway authority" -addext basicConstraints=critical,CA:TRUE \
      -addext keyUsage=critical,keyCertSign &&
    openssl req -newkey rsa:2048 -nodes -keyout "$keys/sign.key" -out "$keys/sign.csr" -subj "/CN=Quillmont throwaway signer" &&
    openssl x509 -req -in "$keys/sign.csr" -CA "$keys/ca.pem" -CAkey "$keys/ca.key" -CAcreateserial -days 2 \
      -out "$keys/sign.pem" -extfile <(printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n')
  } >>"$log" 2>&1 || bad+=$'\n'"     openssl could not make the certificate"
  SOURCE_DATE_EPOCH=$(git -C "$root" -c safe.directory='*' log -1 --format=%ct) \
    "$release_copy/scripts/release.sh" --sign "$keys/sign.pem" "$keys/sign.key" >>"$log" 2>&1 ||
    bad+=$'\n'"     scripts/release.sh --sign failed"
  unzip -o -q "$out/Quillmont-$version-x64-portable.zip" Quillmont.exe -d "$keys" 2>>"$log"
  for file in "$out/Quillmont-$version-x64-setup.exe" "$keys/Quillmont.exe"; do
    osslsigncode verify -in "$file" -CAfile "$keys/ca.pem" >"$keys/verify.txt" 2>&1 &&
      grep -qi 'digest algorithm *: *sha256' "$keys/verify.txt" ||
      bad+=$'\n'"     $(basename "$file") does not verify: $(tail -n 3 "$keys/verify.txt" | paste -sd' ')"
  done
  osslsigncode verify -in "$root/build/release/Quillmont-$version-x64-setup.exe" >/dev/null 2>&1 &&
    bad+=$'\n'"     the default release is signed"
  python3 "$root/tests/release/release_check.py" "$out" "$version" "$keys/Quillmont.exe" \
    "$root/installer/quillmont.nsi" >"$keys/check.txt" 2>&1 || bad+=$'\n'"     $(cat "$keys/check.txt")"
  rm -rf "$release_copy"
  if [ -z "$bad" ]; then
    echo "   the signed setup program and Quillmont.exe verify (SHA-256); unsigned by default"; passed=$((passed + 1))
  else
    echo "   the signed release:$bad"; failed=$((failed + 1)); return 1
  fi
}

# The test command's own bookkeeping (tests/scripts/stage_test.sh): a stage that
# dies is a failure, and a Windows stage killed half-way leaves nothing behind.
self_check() {
  local log="$root/build/stage-test.log"
  if "$root/tests/scripts/stage_test.sh" >"$log" 2>&1; then
    echo "   $(grep -c '^ok' "$log") checks, all passed"; passed=$((passed + 1))
  else
    grep -v '^ok' "$log" | tail -n 20; echo "   the test command's self-check failed"; failed=$((failed + 1)); return 1
  fi
}

# The Windows suites under Wine, in a shell of their own that stops Wine, Xvfb
# and the update service however it ends. Its counts come back through a file
# made afresh, so a stage that dies cannot report an earlier run's totals.
windows_suites() {
  local counts="$root/build/windows-counts" status group
  rm -f "$counts"
  # Its own process group, so that whatever a stage that was killed outright
  # leaves (ctest, Wine's processes, Xvfb, the update service) can be ended.
  set -m
  (
    source "$root/scripts/wine-env.sh"
    quillmont_start_test_wine || exit 1
    passed=0; failed=0; retried=0; skipped=0; skipped_tests=()
    # One at a time: some tests read message-box icons off the shared screen.
    run_ctest windows --wine-retry -j1
    echo "$passed $failed $retried $skipped" >"$counts"
    [ "$skipped" -eq 0 ] || printf '%s\n' "${skipped_tests[@]}" >>"$counts"
  ) </dev/null &
  group=$!
  windows_group=$group
  set +m
  trap 'end_windows_stage '"$group"'; exit 130' INT TERM
  wait "$group"; status=$?
  trap - INT TERM
  end_windows_stage "$group"
  local p f r s names=()
  if ! read -r p f r s <"$counts" 2>/dev/null; then
    echo "   the Windows stage ended early (status $status): counted as a failure"; failed=$((failed + 1)); return 1
  fi
  mapfile -t names < <(tail -n +2 "$counts")
  passed=$((passed + p)); failed=$((failed + f)); retried=$((retried + r)); skipped=$((skipped + ${s:-0}))
  [ ${#names[@]} -eq 0 ] || skipped_tests+=("${names[@]}")
  [ "$f" -eq 0 ]
}

# Ends what is left of the Windows stage's process group, and its wineserver.
end_windows_stage() {
  kill -TERM -- "-$1" 2>/dev/null
  WINEPREFIX="${QUILLMONT_WINEPREFIX:-$root/.wine}" wineserver -k 2>/dev/null
  return 0
}

# The installer, built from this Quillmont.exe, installed, used and removed under Wine.
installer_round_trip() {
  local log="$root/build/installer-test.log"
  rm -f "$log"
  if QUILLMONT_EXE="$root/build/windows/bin/Quillmont.exe" "$root/scripts/installer.sh" >/dev/null &&
     "$root/tests/installer/installer_test.sh" >"$log" 2>&1; then
    echo "   the installer round trip: $(grep -c '^ok' "$log") checks, all passed"; passed=$((passed + 1))
  else
    # Every failed check with what it printed, and the log's end for a run that broke off.
    grep -v '^ok' "$log" 2>/dev/null | tail -n 60
    echo "   the installer round trip failed"; failed=$((failed + 1)); return 1
  fi
}

# Quillmont.exe reaches its own https:// update address, pointed at 127.0.0.1 for the run.
tls_round_trip() {
  local log="$root/build/tls-round-trip.log"
  if "$root/tests/update/tls_round_trip.sh" >"$log" 2>&1; then
    echo "   $(grep -c '^ok' "$log") checks, all passed"; passed=$((passed + 1))
  else
    grep -v '^ok' "$log" | tail -n 30
    echo "   the update address round trip failed"; failed=$((failed + 1)); return 1
  fi
}

# The README's run command without arguments: the sample archive must really run.
demo_run() {
  local demo
  if demo=$(timeout 300 "$root/scripts/run.sh" 2>&1) && grep -q "Hello from Quillmont's sample archive!" <<<"$demo" &&
     grep -q "archive: *$root/build/demo/sample app.jar" <<<"$demo"; then
    echo "   the sample archive ran through Quillmont.exe and the host's Java"; passed=$((passed + 1))
  else
    echo "$demo" | tail -n 20; echo "   the demo did not run"; failed=$((failed + 1)); return 1
  fi
}

# The run command on a machine without a display: pictures of the windows, then
# a time-out with a message instead of waiting for ever.
headless_run() {
  local headless code
  headless=$(env -u DISPLAY timeout 120 "$root/scripts/run.sh" --timeout 20 /setup 2>&1); code=$?
  if [ "$code" -eq 124 ] && [ -s "$root/build/run-windows/01-Quillmont-Setup.png" ] &&
     grep -q "Quillmont shows \"Quillmont Setup\": $root/build/run-windows/01-Quillmont-Setup.png" <<<"$headless" &&
     grep -q "was still running after 20 s" <<<"$headless"; then
    echo "   the setup dialog was pictured and the run ended after its time-out"; passed=$((passed + 1))
  else
    echo "$headless" | grep -v fixme | tail -n 20; echo "   exit code $code; the headless run did not behave"
    failed=$((failed + 1)); return 1
  fi
}

# One fuzz target for $fuzz_seconds; its verdict goes to build/fuzz/NAME.result.
fuzz_one() {
  local target=$1 name
  name=$(basename "$target")
  local corpus="$root/build/fuzz/corpus/$name" log="$root/build/fuzz/$name.log"
  mkdir -p "$corpus"
  # No single allocation may exceed 96 MB (the zip reader's entry bound is 64 MiB).
  # The kept corpus and real files from elsewhere seed it (tests/fuzz/targets.sh).
  quillmont_fuzz_options "$name"
  if "$target" "$corpus" "${fuzz_seeds[@]}" "${fuzz_flags[@]}" -max_total_time="$fuzz_seconds" -max_len="$fuzz_max_len" \
       -malloc_limit_mb=96 -print_final_stats=0 -artifact_prefix="$root/build/fuzz/$name-" >"$log" 2>&1; then
    echo "ok $(grep -oE 'Done [0-9]+ runs' "$log" | tail -n 1)" >"$root/build/fuzz/$name.result"
  else
    echo "FAILED" >"$root/build/fuzz/$name.result"
  fi
}

# Every fuzz target, as many at a time as there are processors.
fuzz_targets() {
  source "$root/tests/fuzz/targets.sh"
  local targets=() target running=0 name result status=0
  for target in "$root"/build/fuzz/tests/fuzz/fuzz_*; do [ -x "$target" ] && targets+=("$target"); done
  echo "   ${#targets[@]} targets, ${fuzz_seconds}s each"
  for target in "${targets[@]}"; do
    rm -f "$root/build/fuzz/$(basename "$target").result"
    fuzz_one "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$(nproc)" ]; then wait -n; running=$((running - 1)); fi
  done
  wait
  for target in "${targets[@]}"; do
    name=$(basename "$target")
    result=$(cat "$root/build/fuzz/$name.result" 2>/dev/null || echo "FAILED (no verdict)")
    if [ "${result%% *}" = ok ]; then
      echo "   $name: ${result#ok }, no crash"; passed=$((passed + 1))
    else
      tail -n 30 "$root/build/fuzz/$name.log"; echo "   $name: $result"; failed=$((failed + 1)); status=1
    fi
  done
  return "$status"
}
