#!/usr/bin/env bash
# Renders what Quillmont shows into docs/screenshots/*.png: each run goes into a
# Wine virtual desktop on a private Xvfb display (so that title bars are drawn),
# is photographed and trimmed to the window.
#   scripts/screenshots.sh [NAME...]   every picture, or only these (scan-results, about, ...)
#   QUILLMONT_WINDOWS_BUILD            the Windows build to take the programs from (build/windows)
#   QUILLMONT_SCREENSHOT_DPI           the resolutions to render at (default "96 144 192")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${QUILLMONT_WINDOWS_BUILD:-$root/build/windows}"
only=("$@")
wanted() {
  [ ${#only[@]} -eq 0 ] && return 0
  local name; for name in "${only[@]}"; do [ "$name" = "$1" ] && return 0; done
  return 1
}
"$root/scripts/bootstrap.sh"
[ -f "$build/CMakeCache.txt" ] || "$root/scripts/build.sh" windows
cmake --build "$build" --target Quillmont exact_launch dialog_gallery >/dev/null
setup=""
if wanted installer; then setup=$(QUILLMONT_EXE="$build/bin/Quillmont.exe" "$root/scripts/installer.sh"); fi
unset DISPLAY
# Room for the virtual desktop at 192 dots per inch.
export QUILLMONT_XVFB_SCREEN=2048x1600x24
source "$root/scripts/wine-env.sh"
quillmont_start_wine
out="$root/docs/screenshots"; mkdir -p "$out"
exe="$build/bin/Quillmont.exe"

# Screen resolution of the shots in dots per inch.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true
  wineserver -p
}

# shoot NAME ARGUMENT-TEXT [PROGRAM]: runs the program (Quillmont.exe) with
# exactly this argument text in a fresh virtual desktop and photographs it.
shoot() {
  local name=$1
  wanted "${name%"$suffix"}" || return 0
  local windows_exe; windows_exe=$(winepath -w "${3:-$exe}")
  QUILLMONT_EXACT_COMMAND_LINE="\"$windows_exe\"${2:+ $2}" \
    wine explorer /desktop=quillmont,"$desktop" "$build/bin/exact_launch.exe" >/dev/null 2>&1 &
  local runner=$!
  sleep 5
  import -window root -crop "$desktop+0+0" +repage "$out/$name.full.png"
  convert "$out/$name.full.png" -trim +repage -bordercolor white -border 8 "$out/$name.png"
  rm -f "$out/$name.full.png"
  kill "$runner" 2>/dev/null || true
  wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true
  wineserver -p
  echo "wrote docs/screenshots/$name.png"
}

gallery="$build/bin/dialog_gallery.exe"
fit_report="$build/text-fit.txt"; rm -f "$fit_report"
for dpi in ${QUILLMONT_SCREENSHOT_DPI:-96 144 192}; do
  set_dpi "$dpi"
  suffix=""; [ "$dpi" = 96 ] || suffix="-$dpi"
  desktop="$((1000 * dpi / 96))x$((750 * dpi / 96))"
  # An empty configuration first, so that the setup dialog shows its first-run hint.
  wine reg delete 'HKCU\Software\Brenwick\Quillmont' /f >/dev/null 2>&1 || true
  shoot "setup-first-run$suffix" /setup
  shoot "about$suffix" about "$gallery"
  shoot "j2se-starter$suffix" j2se-starter "$gallery"
  shoot "j2me-starter$suffix" j2me-starter "$gallery"
  shoot "emulator-starter$suffix" emulator-starter "$gallery"
  shoot "j2se-select$suffix" j2se-select "$gallery"
  shoot "j2me-select$suffix" j2me-select "$gallery"
  shoot "jad-size$suffix" jad-size "$gallery"
  shoot "jad-web$suffix" jad-web "$gallery"
  shoot "scan-progress$suffix" scan-progress "$gallery"
  shoot "scan-results$suffix" scan-results "$gallery"
  shoot "scan-results-nonmain$suffix" scan-results-nonmain "$gallery"
  shoot "scan-results-j2me$suffix" scan-results-j2me "$gallery"
  shoot "update-check$suffix" update-check "$gallery"
  shoot "command-line-error$suffix" '"C:\unterminated'
  shoot "file-name-error$suffix" '""'
  shoot "jad-read-error$suffix" '"C:\Suites\gone.jad"'
  shoot "file-open-dialog$suffix"
  shoot "installer$suffix" "" "$setup"
  # Every text of every dialog must fit its control at this resolution.
  for mode in setup about j2se-starter j2me-starter emulator-starter j2se-select j2me-select jad-size jad-web scan-progress scan-results \
              scan-results-nonmain scan-results-j2me update-check; do
    QUILLMONT_FIT_REPORT=$(winepath -w "$fit_report") wine "$gallery" "$mode" >/dev/null 2>&1
  done
done
set_dpi 96
if [ -s "$fit_report" ]; then
  echo "texts that do not fit their controls:"; cat "$fit_report"; exit 1
fi
echo "every text fits its control at ${QUILLMONT_SCREENSHOT_DPI:-96 144 192} dpi"
