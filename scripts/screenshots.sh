#!/usr/bin/env bash
# Renders what Quillmont shows into docs/screenshots/*.png: each run goes into a
# Wine virtual desktop on a private Xvfb display (so that title bars are drawn),
# is photographed and trimmed to the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
[ -f "$root/build/windows/CMakeCache.txt" ] || "$root/scripts/build.sh" windows
cmake --build "$root/build/windows" --target Quillmont exact_launch >/dev/null
unset DISPLAY
source "$root/scripts/wine-env.sh"
quillmont_start_wine
out="$root/docs/screenshots"; mkdir -p "$out"
exe="$root/build/windows/bin/Quillmont.exe"

# shoot NAME ARGUMENT-TEXT: runs Quillmont with exactly this argument text in a
# fresh virtual desktop and photographs it.
shoot() {
  local name=$1
  local windows_exe; windows_exe=$(winepath -w "$exe")
  QUILLMONT_EXACT_COMMAND_LINE="\"$windows_exe\"${2:+ $2}" \
    wine explorer /desktop=quillmont,800x600 "$root/build/windows/bin/exact_launch.exe" >/dev/null 2>&1 &
  local runner=$!
  sleep 5
  import -window root -crop 800x600+0+0 +repage "$out/$name.full.png"
  convert "$out/$name.full.png" -trim +repage -bordercolor white -border 8 "$out/$name.png"
  rm -f "$out/$name.full.png"
  kill "$runner" 2>/dev/null || true
  wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true
  wineserver -p
  echo "wrote docs/screenshots/$name.png"
}

shoot command-line-error '"C:\unterminated'
shoot file-name-error '""'
shoot file-open-dialog
