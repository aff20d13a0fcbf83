#!/usr/bin/env bash
# Runs Quillmont.exe under Wine with the given arguments (installs and builds what
# is missing first). Without a display of your own it runs on a virtual one.
#   scripts/run.sh                  the demo: opens the sample desktop archive, which
#                                   the host's Java runs through demo/java-bridge.sh
#   scripts/run.sh ARGUMENTS...     Quillmont with these arguments
#   scripts/run.sh --no-arguments   Quillmont with none (its file-open dialog)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
if [ ! -f "$root/build/windows/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$root/build/windows" --target Quillmont exact_launch >/dev/null
source "$root/scripts/wine-env.sh"
[ -n "${DISPLAY:-}" ] || echo "(no DISPLAY: Quillmont's windows go to a virtual display)" >&2
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
QUILLMONT_EXACT_COMMAND_LINE="$line" wine "$root/build/windows/bin/exact_launch.exe"
code=$?
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
