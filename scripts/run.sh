#!/usr/bin/env bash
# Runs Quillmont.exe under Wine with the given arguments (installs and builds what
# is missing first).
#   scripts/run.sh                  the demo: opens the sample desktop archive, which
#                                   the host's Java runs through demo/java-bridge.sh
#   scripts/run.sh ARGUMENTS...     Quillmont with these arguments
#   scripts/run.sh --no-arguments   Quillmont with none (its file-open dialog)
#   scripts/run.sh --timeout S ...  (first) how long a run without a display may last
# Without a display of your own Quillmont runs on a virtual one: every window it
# shows is saved as a picture in build/run-windows/ (the paths are printed), and
# after S seconds (default 60, or QUILLMONT_RUN_TIMEOUT) the run is ended with a
# message and exit code 124, since nobody can answer a dialog there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
timeout_seconds=${QUILLMONT_RUN_TIMEOUT:-60}
if [ "${1:-}" = "--timeout" ]; then
  [[ "${2:-}" =~ ^[0-9]+$ ]] && [ "$2" -gt 0 ] || { echo "--timeout takes a number of seconds" >&2; exit 2; }
  timeout_seconds=$2; shift 2
fi
"$root/scripts/bootstrap.sh"
if [ ! -f "$root/build/windows/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$root/build/windows" --target Quillmont exact_launch >/dev/null
source "$root/scripts/wine-env.sh"
source "$root/scripts/headless-windows.sh"
quillmont_start_wine

demo=""
if [ $# -eq 0 ]; then
  demo="$root/build/demo/sample app.jar"
  "$root/demo/build-sample.sh" "$demo"
  source "$root/scripts/demo-starter.sh"
  quillmont_demo_starter
  export QUILLMONT_DEMO_LOG="$root/build/demo/output.txt"
  rm -f "$QUILLMONT_DEMO_LOG" "$QUILLMONT_DEMO_LOG.done"
  set -- "$demo"
elif [ "$1" = "--no-arguments" ]; then
  shift
fi

# The command line as the Windows shell would write it: an existing Linux file
# becomes its Windows path, an argument with white space is put in quotes, one
# that starts with a quote is taken as it stands ('""' stays two quotes).
line="\"$(winepath -w "$root/build/windows/bin/Quillmont.exe")\""
for argument in "$@"; do
  if [ "${argument#\"}" = "$argument" ] && [ -e "$argument" ] && [ "${argument#/}" != "$argument" ]; then
    argument="\"$(winepath -w "$argument")\""
  elif [ "${argument#\"}" = "$argument" ] && [[ "$argument" =~ [[:space:]] ]]; then
    argument="\"$argument\""
  fi
  line+=" $argument"
done
set +e
if [ -n "$quillmont_xvfb_pid" ]; then
  QUILLMONT_EXACT_COMMAND_LINE="$line" quillmont_run_headless "$timeout_seconds" "$root/build/run-windows" \
    wine "$root/build/windows/bin/exact_launch.exe"
  code=$?
  [ "$code" -ne 124 ] || exit 124
else
  QUILLMONT_EXACT_COMMAND_LINE="$line" wine "$root/build/windows/bin/exact_launch.exe"
  code=$?
fi
echo "Quillmont exited with code $code" >&2
if [ -n "$demo" ] && [ "$code" -eq 0 ]; then
  # The starter runs on after Quillmont has ended.
  for _ in $(seq 1 300); do [ -e "$QUILLMONT_DEMO_LOG.done" ] && break; sleep 0.1; done
  if [ -e "$QUILLMONT_DEMO_LOG.done" ]; then
    cat "$QUILLMONT_DEMO_LOG"
    echo "the sample archive ran and ended with code $(cat "$QUILLMONT_DEMO_LOG.done")" >&2
  else
    echo "the sample archive did not finish within 30 seconds" >&2; exit 1
  fi
fi
exit $code
