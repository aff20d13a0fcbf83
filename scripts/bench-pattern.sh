#!/usr/bin/env bash
# Builds the Release pattern benchmark in build/pattern-bench and runs it: the
# program's patterns against std::regex, and an ambiguous repetition against the
# recursive reference matcher and std::regex. Not part of the test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/pattern-bench"
# The machine is shared: at most two compile jobs.
jobs=${QUILLMONT_BENCH_JOBS:-2}
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_BENCH=ON -DQUILLMONT_TESTS=OFF >/dev/null
if ! cmake --build "$dir" -j "$jobs" --target quillmont_pattern_bench >"$dir/build.log" 2>&1; then
  cat "$dir/build.log"; echo "pattern bench build failed" >&2; exit 1
fi
"$dir/bench/quillmont_pattern_bench"
