#!/bin/sh
# A J2SE starter for Quillmont under Wine that reaches the host's Java: Wine
# starts this Linux script with the Windows command line split into arguments;
# every argument that is a Windows path (a drive letter, a colon, a backslash)
# becomes its Linux path, and the host's java runs with them.
# QUILLMONT_DEMO_LOG, when set, names a file that gets java's output, and
# "$QUILLMONT_DEMO_LOG.done" its exit code once it has ended (a program that
# Wine starts from a window program has no terminal to write to).
count=$#
while [ "$count" -gt 0 ]; do
  argument=$1; shift
  case "$argument" in
    [A-Za-z]:\\*) argument=$(winepath -u "$argument" 2>/dev/null || printf '%s' "$argument") ;;
  esac
  set -- "$@" "$argument"
  count=$((count - 1))
done
if [ -z "${QUILLMONT_DEMO_LOG:-}" ]; then exec java "$@"; fi
java "$@" >"$QUILLMONT_DEMO_LOG" 2>&1
code=$?
echo "$code" >"$QUILLMONT_DEMO_LOG.done"
exit "$code"
