# Sourced by scripts/bench.sh: the launch part. Quillmont.exe opening a
# descriptor whose size matches (the recording starter the default J2ME starter)
# and a desktop archive (the recording starter the default J2SE starter), each
# against bench/minimal_launcher.cpp (the same start-up: COM, the common
# controls, the mutex, the manifest) starting the same starter with the command
# line Quillmont gave it. Whole processes under Wine, alternated round by round,
# medians of QUILLMONT_LAUNCH_RUNS (default 21) each.

build_launch() {
  local generated="$windows_dir/generated"
  x86_64-w64-mingw32-windres -I "$generated" "$root/bench/minimal_launcher.rc" -O coff \
      -o "$windows_dir/bench/minimal_launcher.res"
  x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -DUNICODE -D_UNICODE -municode -mwindows \
      -static -static-libgcc -static-libstdc++ "$root/bench/minimal_launcher.cpp" \
      "$windows_dir/bench/minimal_launcher.res" -o "$windows_dir/bench/minimal_launcher.exe" \
      -lole32 -lcomctl32 -s
}

# One whole run of the program ($1: quillmont or minimal); appends its wall
# milliseconds to $2 once the starter has recorded its command line.
launch_run() {
  local program=$1 results=$2 start end
  rm -f "$work/record.txt"
  # winepath is a Wine process of its own: its path is found before the clock starts.
  start=$(date +%s%N)
  if [ "$program" = quillmont ]; then
    timeout 60 wine "$windows_dir/bin/Quillmont.exe" "$opened_path" ||
      { echo "Quillmont.exe failed" >&2; exit 1; }
  else
    QUILLMONT_CHILD_COMMAND_LINE="$child_line" timeout 60 wine "$windows_dir/bench/minimal_launcher.exe" ||
      { echo "minimal_launcher.exe failed" >&2; exit 1; }
  fi
  end=$(date +%s%N)
  # The starter runs on after its parent has ended; the next run waits for it.
  for _ in $(seq 1 200); do [ -e "$work/record.txt" ] && break; sleep 0.05; done
  [ -e "$work/record.txt" ] || { echo "the starter was not started ($program)" >&2; exit 1; }
  echo $(( (end - start) / 1000000 )) >>"$results"
}

# One case: $1 the label, $2 the kind of the default starter, $3 its arguments,
# $4 the file Quillmont opens.
launch_case() {
  local label=$1 rounds=${QUILLMONT_LAUNCH_RUNS:-21} round ours theirs
  configure_starter "$2" "$3"
  opened_path=$(winepath -w "$4")
  : >"$work/launch-warm-up"
  launch_run quillmont "$work/launch-warm-up"
  # The same child command line for the yardstick, as Quillmont built it.
  child_line=$(iconv -f UTF-16LE -t UTF-8 "$work/record.txt")
  launch_run minimal "$work/launch-warm-up"
  : >"$work/launch-quillmont.txt"; : >"$work/launch-minimal.txt"
  # The two take turns going first: a Wine start right after another one's
  # child has ended is not as fast as the next.
  for round in $(seq 1 "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
      launch_run quillmont "$work/launch-quillmont.txt"; launch_run minimal "$work/launch-minimal.txt"
    else
      launch_run minimal "$work/launch-minimal.txt"; launch_run quillmont "$work/launch-quillmont.txt"
    fi
  done
  ours=$(median 1 "$work/launch-quillmont.txt"); theirs=$(median 1 "$work/launch-minimal.txt")
  printf '%-44s %8s %12s\n' "Quillmont.exe $label" "$ours" \
    "$(sort -n "$work/launch-quillmont.txt" | sed -n '1p;$p' | paste -sd-)"
  printf '%-44s %8s %12s\n' "minimal_launcher.exe, the same starter" "$theirs" \
    "$(sort -n "$work/launch-minimal.txt" | sed -n '1p;$p' | paste -sd-)"
  awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio: %.2f (goal: at most 1.10)\n", a / b }'
}

run_launch() {
  start_wine_session
  build_launch
  mkdir -p "$work/suite" "$work/desktop"
  python3 "$root/bench/make_suite_archive.py" "$work/suite/app.jar" 187403
  "$bench" --write-descriptor realistic "$work/suite/app.jad" 187403
  python3 "$root/bench/make_suite_archive.py" --desktop "$work/desktop/app.jar" 187403
  echo "== launch cost under Wine ($WINEPREFIX), ${QUILLMONT_LAUNCH_RUNS:-21} alternated rounds"
  printf '%-44s %8s %12s\n' program "median ms" "(min-max)"
  launch_case "app.jad (size matches)" J2ME "%1 %2" "$work/suite/app.jad"
  launch_case "app.jar (a desktop archive)" J2SE "-jar %1 %*" "$work/desktop/app.jar"
  echo "(wall: from the start of 'wine PROGRAM' to its exit; the starter records the"
  echo " command line it was given, and the next run waits for it)"
}
