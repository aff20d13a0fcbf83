#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix (ctest's emulator for the
# Windows build). The prefix and the wineserver come from scripts/wine-env.sh.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${QUILLMONT_WINEPREFIX:-$root/.wine}"
export WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
