#!/usr/bin/env bash
# Measures opening and correcting a JAD descriptor of the largest size the
# program accepts (1,000,000 bytes), and reading the manifest of a large archive
# (about 110 MB, 50,000 entries). Not part of the test run.
#   native  Google Benchmark on the core code and the JAD flow on fake ports
#           (Release build in build/bench)
#   wine    whole runs of Quillmont.exe under Wine (build/bench-windows): wall
#           time and peak RSS, median of QUILLMONT_BENCH_RUNS runs (default 5), for
#           a tiny descriptor (the baseline: mostly Wine) and two of 1,000,000
#           bytes, each with a matching MIDlet-Jar-Size (read, parse, compare,
#           start) and a wrong one answered "Correct this JAD file" (and write)
#   zip-native  Google Benchmark of the zip reader on the large archive through
#           the real file system, then in the same run Python's zipfile and
#           `unzip -p` on the same file, in process and whole process
#   zip-wine  whole runs of Quillmont.exe under Wine opening the large archive
#           (a desktop archive: the J2SE starter starts at once), round by round
#           with a tiny archive (the baseline), `unzip -p` and python3 zipfile
#   pattern  the pattern matcher against std::regex and the recursive reference
#           matcher (scripts/bench-pattern.sh, build/pattern-bench)
#   launch  whole runs under Wine of Quillmont.exe opening a matching descriptor
#           (default J2ME starter) against a minimal program with the same
#           start-up starting the same starter; the ratio of the medians
#           (scripts/bench-launch.sh)
#   scan    a J2SE scan of 60 installations (keys opened) and a J2ME scan of 15
#           SDKs with 1,000 devices, whole runs under Wine against an empty
#           machine (scripts/bench-scan.sh)
# Usage: scripts/bench.sh [native] [wine] [zip-native] [zip-wine] [launch] [pattern] [scan]   (default: all)
# The archives are written by bench/make_big_jar.py into build/bench/zip.
# QUILLMONT_WINEPREFIX selects another Wine prefix than the project's. The
# program's settings and Wine's "Managed" setting in the prefix are changed for
# the runs and put back as they were afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
parts=("$@"); [ ${#parts[@]} -gt 0 ] || parts=(native wine zip-native zip-wine launch pattern scan)
runs=${QUILLMONT_BENCH_RUNS:-5}
# The machine is shared: at most two compile jobs.
jobs=${QUILLMONT_BENCH_JOBS:-2}
"$root/scripts/bootstrap.sh"

native_dir="$root/build/bench"
windows_dir="$root/build/bench-windows"
bench="$native_dir/bench/quillmont_descriptor_bench"
zip_bench="$native_dir/bench/quillmont_zip_bench"
read_manifest="$native_dir/bench/quillmont_read_manifest"
jar_dir="$native_dir/zip"
big_jar="$jar_dir/big.jar"
tiny_jar="$jar_dir/tiny.jar"

build_native() {
  cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=OFF \
        -DQUILLMONT_BENCH=ON >/dev/null
  if ! cmake --build "$native_dir" -j "$jobs" --target quillmont_descriptor_bench quillmont_zip_bench \
         >"$native_dir/build.log" 2>&1; then
    cat "$native_dir/build.log"; echo "native bench build failed" >&2; exit 1
  fi
}

run_native() {
  echo "== native benchmarks (results also in $native_dir/descriptor_bench.json)"
  "$bench" --benchmark_out="$native_dir/descriptor_bench.json" --benchmark_out_format=json
}

build_windows() {
  # Configured as scripts/build.sh configures build/windows; the tests' helper
  # programs (the recording starter) come with QUILLMONT_TESTS.
  cmake -S "$root" -B "$windows_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  if ! cmake --build "$windows_dir" -j "$jobs" --target Quillmont recording_starter >"$windows_dir/build.log" 2>&1; then
    cat "$windows_dir/build.log"; echo "Windows build failed" >&2; exit 1
  fi
  mkdir -p "$windows_dir/bench"
  x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wconversion -DUNICODE -D_UNICODE \
      -municode -static -static-libgcc -static-libstdc++ "$root/bench/answer_size_dialog.cpp" \
      -o "$windows_dir/bench/answer_size_dialog.exe" -luser32
}

settings_key='HKCU\Software\Brenwick\Quillmont\setup1'
saved_settings=""
x11_key='HKCU\Software\Wine\X11 Driver'
saved_managed=""

restore_settings() {
  wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
  if [ -n "$saved_settings" ]; then wine reg import "$saved_settings" >/dev/null 2>&1 || true; fi
  if [ -n "$saved_managed" ]; then wine reg add "$x11_key" /v Managed /t REG_SZ /d "$saved_managed" /f >/dev/null 2>&1 || true
  else wine reg delete "$x11_key" /v Managed /f >/dev/null 2>&1 || true; fi
}

# When a window that the window manager manages closes, Wine's X11 driver waits
# for the manager to withdraw it, up to two seconds, and a virtual display has no
# manager: every answered dialog would add those two seconds to the run. Windows
# that Wine draws itself close at once, as on Windows.
unmanage_windows() {
  saved_managed=$(wine reg query "$x11_key" /v Managed 2>/dev/null | tr -d '\r' | awk '$1 == "Managed" { print $3 }' || true)
  wine reg add "$x11_key" /v Managed /t REG_SZ /d N /f >/dev/null
}

# The prefix may hold someone's own starters: they are exported once, before the
# first change, and imported again when the script ends.
save_settings() {
  if wine reg export "$settings_key" "$(winepath -w "$work/settings.reg")" /y >/dev/null 2>&1; then
    saved_settings="$(winepath -w "$work/settings.reg")"
  fi
}

# The recording starter as the only starter of one kind ($1: J2SE or J2ME), the
# default action, with the argument template $2.
configure_starter() {
  local key="$settings_key\\$1"
  wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
  wine reg add "$key" /v DefaultAction /t REG_DWORD /d 1 /f >/dev/null
  wine reg add "$key\\1" /v Name /t REG_SZ /d "recording starter" /f >/dev/null
  wine reg add "$key\\1" /v ExecutableFile /t REG_SZ \
       /d "$(winepath -w "$windows_dir/bin/recording_starter.exe")" /f >/dev/null
  wine reg add "$key\\1" /v Arguments /t REG_SZ /d "$2" /f >/dev/null
}

# Wine, the work folder and the saved settings, once for all parts of a run.
wine_session=""
start_wine_session() {
  [ -z "$wine_session" ] || return 0
  source "$root/scripts/wine-env.sh"
  quillmont_start_wine
  work=$(mktemp -d /tmp/quillmont-bench.XXXXXX)
  quillmont_on_exit 'restore_settings; rm -rf "$work"'
  save_settings
  unmanage_windows
  export QUILLMONT_RECORD_FILE; QUILLMONT_RECORD_FILE=$(winepath -w "$work/record.txt")
  wine_session=1
}

# One run of Quillmont.exe on suite/app.jad; appends its figures to the file $2. With $1 = correct the size dialog is answered by the helper.
timed_run() {
  local mode=$1 results=$2 helper="" start end
  rm -f "$work/record.txt" "$work/ready" "$work/time.txt"
  if [ "$mode" = correct ]; then
    wine "$windows_dir/bench/answer_size_dialog.exe" "$(winepath -w "$work/ready")" 60000 &
    helper=$!
    for _ in $(seq 1 600); do [ -e "$work/ready" ] && break; sleep 0.05; done
    [ -e "$work/ready" ] || { echo "the dialog helper did not start" >&2; exit 1; }
  fi
  # winepath starts a Wine process of its own: not on the clock.
  local jad_path; jad_path=$(winepath -w "$work/suite/app.jad")
  start=$(date +%s%N)
  # An unanswered dialog must not hang the script.
  if ! timeout 120 /usr/bin/time -f "%M %U %S" -o "$work/time.txt" \
         wine "$windows_dir/bin/Quillmont.exe" "$jad_path"; then
    echo "Quillmont.exe failed" >&2; exit 1
  fi
  end=$(date +%s%N)
  if [ -n "$helper" ] && ! wait "$helper"; then echo "the size dialog was not answered" >&2; exit 1; fi
  # The starter runs on after Quillmont has ended; the next run waits for it.
  for _ in $(seq 1 200); do [ -e "$work/record.txt" ] && break; sleep 0.05; done
  [ -e "$work/record.txt" ] || { echo "the starter was not started" >&2; exit 1; }
  # milliseconds, peak RSS in KB, processor milliseconds (user + system)
  tail -n 1 "$work/time.txt" | awk -v wall=$(( (end - start) / 1000000 )) '{ printf "%d %d %d\n", wall, $1, ($2 + $3) * 1000 + 0.5 }' >>"$results"
}

# The median of column $1 of the file $2.
median() { cut -d' ' -f"$1" "$2" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

run_wine() {
  start_wine_session
  configure_starter J2ME "%1 %2"
  mkdir -p "$work/suite"
  # The archive's size is 187403; the wrong declared size has as many digits, so
  # a corrected descriptor is byte for byte the matching one.
  python3 "$root/bench/make_suite_archive.py" "$work/suite/app.jar" 187403
  local kind
  for kind in tiny realistic short-lines; do
    "$bench" --write-descriptor "$kind" "$work/$kind-matching.jad" 187403
    "$bench" --write-descriptor "$kind" "$work/$kind-wrong.jad" 187400
  done

  echo "== Quillmont.exe under Wine ($WINEPREFIX), median of $runs runs"
  cp "$work/tiny-matching.jad" "$work/suite/app.jad"
  timed_run matching "$work/warm-up"  # a program's first start in a new wineserver is slower
  local scenarios=(tiny-matching tiny-wrong realistic-matching realistic-wrong short-lines-matching short-lines-wrong)
  local scenario mode
  for scenario in "${scenarios[@]}"; do : >"$work/$scenario.txt"; done
  # Round after round of every case, so that a change in the machine's load
  # falls on all of them alike.
  for _ in $(seq 1 "$runs"); do
    for scenario in "${scenarios[@]}"; do
      mode=matching; [ "${scenario%-wrong}" = "$scenario" ] || mode=correct
      cp "$work/$scenario.jad" "$work/suite/app.jad"
      timed_run "$mode" "$work/$scenario.txt"
      if ! cmp -s "$work/suite/app.jad" "$work/${scenario%-*}-matching.jad"; then
        echo "the descriptor was not left as expected ($scenario)" >&2; exit 1
      fi
    done
  done
  printf '%-21s %8s %8s %10s %8s %8s %8s %12s %8s\n' descriptor bytes "wall ms" "(min-max)" "vs tiny" \
    "cpu ms" "vs tiny" "peak RSS KB" "vs tiny"
  local wall cpu rss base
  for scenario in "${scenarios[@]}"; do
    wall=$(median 1 "$work/$scenario.txt"); rss=$(median 2 "$work/$scenario.txt"); cpu=$(median 3 "$work/$scenario.txt")
    base="$work/tiny-${scenario##*-}.txt"
    printf '%-21s %8s %8s %10s %8s %8s %8s %12s %8s\n' "$scenario" "$(stat -c %s "$work/$scenario.jad")" "$wall" \
      "$(cut -d' ' -f1 "$work/$scenario.txt" | sort -n | sed -n '1p;$p' | paste -sd-)" \
      "$((wall - $(median 1 "$base")))" "$cpu" "$((cpu - $(median 3 "$base")))" \
      "$rss" "$((rss - $(median 2 "$base")))"
  done
  echo "(wall: from the start of 'wine Quillmont.exe' to its exit; with a wrong size the"
  echo " size dialog is answered \"Correct this JAD file\" within about 5 ms of showing."
  echo " cpu: user + system time of the Quillmont.exe process; peak RSS: of that process,"
  echo " Wine's own libraries included; 'vs tiny': less the tiny descriptor's median)"
}

# The zip parts, and the launch cost.
source "$root/scripts/bench-zip.sh"
source "$root/scripts/bench-launch.sh"

build_native
windows_built=""
for part in "${parts[@]}"; do
  case "$part" in
    native) run_native ;;
    wine) [ -n "$windows_built" ] || build_windows; windows_built=1; run_wine ;;
    zip-native) make_jars; run_zip_native ;;
    zip-wine) [ -n "$windows_built" ] || build_windows; windows_built=1; make_jars; run_zip_wine ;;
    launch) [ -n "$windows_built" ] || build_windows; windows_built=1; run_launch ;;
    pattern) "$root/scripts/bench-pattern.sh" ;;
    scan) "$root/scripts/bench-scan.sh" ;;
    *) echo "unknown part: $part (native, wine, zip-native, zip-wine, launch, pattern or scan)" >&2; exit 2 ;;
  esac
done
