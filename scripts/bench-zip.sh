# The zip parts of scripts/bench.sh, sourced by it (they use its folders,
# timing helpers and Wine session): the manifest of a large archive, natively
# (zip-native) and in whole runs of Quillmont.exe under Wine (zip-wine).
# QUILLMONT_BENCH_ZIP_RUNS: whole-process runs of the native comparison (default 21).

# The archives, written again when the generator has changed since.
make_jars() {
  local generator="$root/bench/make_big_jar.py"
  mkdir -p "$jar_dir"
  if [ ! -s "$big_jar" ] || [ "$generator" -nt "$big_jar" ]; then
    echo "== writing $big_jar (half a minute)"
    python3 "$generator" "$big_jar"
  fi
  if [ ! -s "$tiny_jar" ] || [ "$generator" -nt "$tiny_jar" ]; then
    python3 "$generator" --tiny "$tiny_jar"
  fi
}

run_zip_native() {
  echo "== zip reader, native (results also in $native_dir/zip_bench.json)"
  "$zip_bench" --jar="$big_jar" --tiny-jar="$tiny_jar" --compare-runs="${QUILLMONT_BENCH_ZIP_RUNS:-21}" \
    --benchmark_out="$native_dir/zip_bench.json" --benchmark_out_format=json
}

# One whole run of a command, its output in $work/out.txt; appends
# "wall_ms peak_rss_kb cpu_ms" to the file $1.
zip_timed_command() {
  local results=$1 start end
  shift
  rm -f "$work/time.txt"
  start=$(date +%s%N)
  if ! timeout 120 /usr/bin/time -f "%M %U %S" -o "$work/time.txt" "$@" >"$work/out.txt"; then
    echo "failed: $*" >&2; exit 1
  fi
  end=$(date +%s%N)
  tail -n 1 "$work/time.txt" | awk -v wall=$(( (end - start) / 1000000 )) \
    '{ printf "%d %d %d\n", wall, $1, ($2 + $3) * 1000 + 0.5 }' >>"$results"
}

# Quillmont.exe opening the archive whose Windows path is $1; the J2SE starter
# must have been started with exactly that path as its argument.
zip_quillmont_run() {
  local jar=$1 results=$2
  rm -f "$work/record.txt"
  zip_timed_command "$results" wine "$windows_dir/bin/Quillmont.exe" "$jar"
  # The starter runs on after Quillmont has ended; the next run waits for it.
  for _ in $(seq 1 200); do [ -e "$work/record.txt" ] && break; sleep 0.05; done
  [ -e "$work/record.txt" ] || { echo "the starter was not started for $jar" >&2; exit 1; }
  iconv -f UTF-16LE -t UTF-8 "$work/record.txt" >"$work/record.utf8"
  if ! grep -qF " \"$jar\"" "$work/record.utf8"; then
    echo "the starter was not given $jar: $(cat "$work/record.utf8")" >&2; exit 1
  fi
  cp "$work/record.utf8" "$results.record"
}

# A case's medians and, with a third argument, the ratios of that file's medians to them.
zip_report_line() {
  local label=$1 file=$2 base=${3:-}
  local wall cpu rss
  wall=$(median 1 "$file"); rss=$(median 2 "$file"); cpu=$(median 3 "$file")
  printf '%-44s %7s %11s %7s %11s' "$label" "$wall" \
    "$(cut -d' ' -f1 "$file" | sort -n | sed -n '1p;$p' | paste -sd-)" "$cpu" "$rss"
  if [ -n "$base" ]; then
    awk -v w="$wall" -v c="$cpu" -v r="$rss" -v bw="$(median 1 "$base")" -v bc="$(median 3 "$base")" \
        -v br="$(median 2 "$base")" \
        'function q(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
         BEGIN { printf "   %6s %6s %6s", q(bw, w), q(bc, c), q(br, r) }'
  fi
  echo
}

run_zip_wine() {
  start_wine_session
  configure_starter J2SE "%1"
  local big_win tiny_win
  big_win=$(winepath -w "$big_jar"); tiny_win=$(winepath -w "$tiny_jar")
  "$read_manifest" "$big_jar" >"$work/manifest.txt"

  echo "== the large archive under Wine ($WINEPREFIX), median of $runs runs"
  local cases=(quillmont-tiny quillmont-big native-big unzip-big python-big) name
  for name in "${cases[@]}"; do : >"$work/zip-$name.txt"; done
  # Round after round of every case, so that a change in the machine's load
  # falls on all of them alike.
  local round
  for round in $(seq 1 "$runs"); do
    # The first Wine start after a pause or after other programs is slower here
    # (up to 0.2 s), so each round starts with one that is not counted, and the
    # two archives take turns going first.
    zip_quillmont_run "$tiny_win" "$work/zip-warm-up"
    if [ $((round % 2)) -eq 1 ]; then
      zip_quillmont_run "$tiny_win" "$work/zip-quillmont-tiny.txt"
      zip_quillmont_run "$big_win" "$work/zip-quillmont-big.txt"
    else
      zip_quillmont_run "$big_win" "$work/zip-quillmont-big.txt"
      zip_quillmont_run "$tiny_win" "$work/zip-quillmont-tiny.txt"
    fi
    zip_timed_command "$work/zip-native-big.txt" "$read_manifest" "$big_jar"
    cmp -s "$work/out.txt" "$work/manifest.txt" || { echo "quillmont_read_manifest printed another manifest" >&2; exit 1; }
    zip_timed_command "$work/zip-unzip-big.txt" unzip -p "$big_jar" META-INF/MANIFEST.MF
    cmp -s "$work/out.txt" "$work/manifest.txt" || { echo "unzip printed another manifest" >&2; exit 1; }
    zip_timed_command "$work/zip-python-big.txt" python3 "$root/bench/zipfile_manifest.py" print "$big_jar"
    cmp -s "$work/out.txt" "$work/manifest.txt" || { echo "python3 printed another manifest" >&2; exit 1; }
  done

  echo "the starter's command line, last run on big.jar: $(cat "$work/zip-quillmont-big.txt.record")"
  printf '%s: %s bytes, %s entries\n' "$big_jar" "$(stat -c %s "$big_jar")" \
    "$(unzip -Z1 "$big_jar" | wc -l)"
  printf '%-44s %7s %11s %7s %11s   %s\n' "whole process" "wall ms" "(min-max)" "cpu ms" "peak RSS KB" \
    "Quillmont.exe big.jar / this: wall cpu RSS"
  local big="$work/zip-quillmont-big.txt"
  zip_report_line "Quillmont.exe (Wine) tiny.jar, the baseline" "$work/zip-quillmont-tiny.txt" "$big"
  zip_report_line "Quillmont.exe (Wine) big.jar" "$big"
  zip_report_line "quillmont_read_manifest (native) big.jar" "$work/zip-native-big.txt" "$big"
  zip_report_line "unzip -p big.jar META-INF/MANIFEST.MF" "$work/zip-unzip-big.txt" "$big"
  zip_report_line "python3 zipfile big.jar" "$work/zip-python-big.txt" "$big"
  printf 'Quillmont.exe big.jar less tiny.jar (the reading under Wine): wall %d ms, cpu %d ms, peak RSS %d KB\n' \
    "$(( $(median 1 "$big") - $(median 1 "$work/zip-quillmont-tiny.txt") ))" \
    "$(( $(median 3 "$big") - $(median 3 "$work/zip-quillmont-tiny.txt") ))" \
    "$(( $(median 2 "$big") - $(median 2 "$work/zip-quillmont-tiny.txt") ))"
  echo "(wall: from the start of the command to its exit. cpu: user + system time of the process;"
  echo " peak RSS: of that process, Wine's own libraries included for Quillmont.exe. The processor"
  echo " times come from /usr/bin/time in steps of 10 ms. Warm page cache.)"
}
