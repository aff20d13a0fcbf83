#!/usr/bin/env bash
# Measures opening and correcting a JAD descriptor of the largest size the
# program accepts (1,000,000 bytes). Not part of the test run.
#   native  Google Benchmark on the core code and the JAD flow on fake ports
#           (Release build in build/bench)
#   wine    whole runs of Quillmont.exe under Wine (build/bench-windows): wall
#           time and peak RSS, median of QUILLMONT_BENCH_RUNS runs (default 5), for
#           a tiny descriptor (the baseline: mostly Wine) and two of 1,000,000
#           bytes, each with a matching MIDlet-Jar-Size (read, parse, compare,
#           start) and a wrong one answered "Correct this JAD file" (and write)
# Usage: scripts/bench.sh [native] [wine]   (default: both)
# QUILLMONT_WINEPREFIX selects another Wine prefix than the project's. The
# program's settings and Wine's "Managed" setting in the prefix are changed for
# the runs and put back as they were afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
parts=("$@"); [ ${#parts[@]} -gt 0 ] || parts=(native wine)
runs=${QUILLMONT_BENCH_RUNS:-5}
"$root/scripts/bootstrap.sh"

native_dir="$root/build/bench"
windows_dir="$root/build/bench-windows"
bench="$native_dir/bench/quillmont_descriptor_bench"

build_native() {
  cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=OFF \
        -DQUILLMONT_BENCH=ON >/dev/null
  if ! cmake --build "$native_dir" --target quillmont_descriptor_bench >"$native_dir/build.log" 2>&1; then
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
  if ! cmake --build "$windows_dir" --target Quillmont recording_starter >"$windows_dir/build.log" 2>&1; then
    cat "$windows_dir/build.log"; echo "Windows build failed" >&2; exit 1
  fi
  mkdir -p "$windows_dir/bench"
  x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wconversion -DUNICODE -D_UNICODE \
      -municode -static -static-libgcc -static-libstdc++ "$root/bench/answer_size_dialog.cpp" \
      -o "$windows_dir/bench/answer_size_dialog.exe" -luser32
}

settings_key='HKCU\Software\Brenwick\Quillmont\setup1'
j2me_key="$settings_key\\J2ME"
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

configure_starter() {
  # The prefix may hold someone's own starters: they are exported first and
  # imported again when the script ends.
  if wine reg export "$settings_key" "$(winepath -w "$work/settings.reg")" /y >/dev/null 2>&1; then
    saved_settings="$(winepath -w "$work/settings.reg")"
  fi
  wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
  wine reg add "$j2me_key" /v DefaultAction /t REG_DWORD /d 1 /f >/dev/null
  wine reg add "$j2me_key\\1" /v Name /t REG_SZ /d "recording starter" /f >/dev/null
  wine reg add "$j2me_key\\1" /v ExecutableFile /t REG_SZ \
       /d "$(winepath -w "$windows_dir/bin/recording_starter.exe")" /f >/dev/null
  wine reg add "$j2me_key\\1" /v Arguments /t REG_SZ /d "%1 %2" /f >/dev/null
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
  start=$(date +%s%N)
  # An unanswered dialog must not hang the script.
  if ! timeout 120 /usr/bin/time -f "%M %U %S" -o "$work/time.txt" \
         wine "$windows_dir/bin/Quillmont.exe" "$(winepath -w "$work/suite/app.jad")"; then
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
  source "$root/scripts/wine-env.sh"
  quillmont_start_wine
  work=$(mktemp -d /tmp/quillmont-bench.XXXXXX)
  trap 'restore_settings; quillmont_stop_wine; rm -rf "$work"' EXIT
  configure_starter
  unmanage_windows
  mkdir -p "$work/suite"
  export QUILLMONT_RECORD_FILE; QUILLMONT_RECORD_FILE=$(winepath -w "$work/record.txt")
  # The archive's size is 187403; the wrong declared size has as many digits, so
  # a corrected descriptor is byte for byte the matching one.
  head -c 187403 /dev/zero >"$work/suite/app.jar"
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

build_native
for part in "${parts[@]}"; do
  case "$part" in
    native) run_native ;;
    wine) build_windows; run_wine ;;
    *) echo "unknown part: $part (native or wine)" >&2; exit 2 ;;
  esac
done
