#!/usr/bin/env bash
# The fuzz campaign: every libFuzzer target (or the ones named) for a number of
# executions or a time, starting from its corpus in tests/fuzz/corpus/TARGET and
# the real files of tests/fuzz/targets.sh. Afterwards the corpus is minimised
# with -merge=1 (old and new inputs together) and written back, and one row per
# target is printed: executions, executions per CPU-second, coverage (libFuzzer's
# cov:), new inputs kept, crashes. Each row is also appended to
# tests/fuzz/corpus/ledger.tsv, whose sums say how far each target has come.
#   scripts/fuzz-campaign.sh [-runs N] [-seconds S] [-jobs J] [TARGET...]
# -seconds is wall-clock time (libFuzzer's -max_total_time). With both limits a
# target stops at whichever it reaches first.
# Crashing inputs stay in build/fuzz-campaign/TARGET/ for a fix and a test.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=""; seconds=""; jobs=1; targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -runs) runs=$2; shift 2 ;;
    -seconds) seconds=$2; shift 2 ;;
    -jobs) jobs=$2; shift 2 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ -n "$runs$seconds" ] || { echo "usage: $0 [-runs N] [-seconds S] [-jobs J] [TARGET...]" >&2; exit 2; }
"$root/scripts/bootstrap.sh" >/dev/null || exit 1
"$root/scripts/build.sh" fuzz >/dev/null || exit 1
bin="$root/build/fuzz/tests/fuzz"
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$bin"/fuzz_*; do [ -x "$target" ] && targets+=("$(basename "$target")"); done
fi
source "$root/tests/fuzz/targets.sh"
ledger="$root/tests/fuzz/corpus/ledger.tsv"
mkdir -p "$(dirname "$ledger")"
[ -f "$ledger" ] || printf 'date\ttarget\texecutions\tseconds\tcoverage\tnew inputs\tcrashes\n' >"$ledger"

# One target: fuzz, count, merge. Writes its row to build/fuzz-campaign/TARGET/row.
campaign() {
  local name=$1 work="$root/build/fuzz-campaign/$1" corpus="$root/tests/fuzz/corpus/$1"
  rm -rf "$work/new" "$work/merged" "$work/row"; mkdir -p "$work/new" "$work/merged" "$corpus"
  quillmont_fuzz_options "$name"
  local limit=()
  [ -n "$runs" ] && limit+=(-runs="$runs")
  [ -n "$seconds" ] && limit+=(-max_total_time="$seconds")
  # New inputs go to the first folder; the kept corpus and the real files are read only.
  # The time counted is the fuzzer's CPU time (user + system), not the wall clock,
  # so a campaign that shares the machine does not overstate its hours.
  local TIMEFORMAT='%U %S' times
  times=$( { time "$bin/$name" "$work/new" "${fuzz_seeds[@]}" "${fuzz_flags[@]}" "${limit[@]}" -max_len="$fuzz_max_len" \
    -malloc_limit_mb=96 -print_final_stats=1 -artifact_prefix="$work/" >"$work/log" 2>&1; } 2>&1 )
  local took
  took=$(awk '{ printf "%d", $1 + $2 + 0.5 }' <<<"$times")
  local executions speed coverage added crashes
  executions=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$work/log" | tail -n 1)
  speed=$(sed -nE 's/^stat::average_exec_per_sec: *([0-9]+).*/\1/p' "$work/log" | tail -n 1)
  coverage=$(grep -oE 'cov: [0-9]+' "$work/log" | tail -n 1 | grep -oE '[0-9]+')
  added=$(find "$work/new" -type f | wc -l)
  crashes=$(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  # The corpus, old and new, down to the inputs that keep every feature.
  if "$bin/$name" -merge=1 -max_len="$fuzz_max_len" -malloc_limit_mb=96 "$work/merged" "$corpus" "$work/new" \
       >"$work/merge.log" 2>&1; then
    rm -rf "$corpus"; mv "$work/merged" "$corpus"
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%F)" "$name" "${executions:-0}" "$took" "${coverage:-?}" \
    "$added" "$crashes" >"$work/row"
}

running=0
for name in "${targets[@]}"; do
  [ -x "$bin/$name" ] || { echo "no target $name" >&2; continue; }
  campaign "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
done
wait

printf '%-26s %12s %10s %9s %5s %8s\n' target executions "exec/s" coverage new crashes
for name in "${targets[@]}"; do
  row="$root/build/fuzz-campaign/$name/row"
  [ -f "$row" ] || continue
  cat "$row" >>"$ledger"
  IFS=$'\t' read -r _ _ executions took coverage added crashes <"$row"
  printf '%-26s %12s %10s %9s %5s %8s\n' "$name" "$executions" "$((executions / (took > 0 ? took : 1)))" \
    "$coverage" "$added" "$crashes"
done
echo "in all (tests/fuzz/corpus/ledger.tsv):"
awk -F'\t' 'NR > 1 { e[$2] += $3; s[$2] += $4 } END { for (t in e) printf "  %-24s %12d executions in %6.2f CPU-hours\n", t, e[t], s[t] / 3600 }' \
  "$ledger" | sort
