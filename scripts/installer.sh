#!/usr/bin/env bash
# Builds the installer build/installer/Quillmont-<version>-x64-setup.exe with NSIS.
# The version is the project's (scripts/version.sh). Quillmont.exe comes from
# scripts/build.sh windows, or from QUILLMONT_EXE when that names an existing
# file (then nothing is built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

version=$("$root/scripts/version.sh")

if [ -n "${QUILLMONT_EXE:-}" ]; then
  [ -f "$QUILLMONT_EXE" ] || { echo "QUILLMONT_EXE: no such file: $QUILLMONT_EXE" >&2; exit 1; }
  exe=$(cd "$(dirname "$QUILLMONT_EXE")" && pwd)/$(basename "$QUILLMONT_EXE")
else
  "$root/scripts/bootstrap.sh"
  "$root/scripts/build.sh" windows
  exe="$root/build/windows/bin/Quillmont.exe"
fi
command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis)" >&2; exit 1; }

out_dir="$root/build/installer"
mkdir -p "$out_dir"
setup="$out_dir/Quillmont-$version-x64-setup.exe"
log="$out_dir/makensis.log"
# -WX: a warning (an unused define, a missing file) fails the build.
if ! makensis -V2 -WX -NOCD "-DVERSION=$version" "-DEXE=$exe" "-DOUTFILE=$setup" \
       "$root/installer/quillmont.nsi" >"$log" 2>&1; then
  cat "$log"; echo "makensis failed" >&2; exit 1
fi
echo "$setup"
