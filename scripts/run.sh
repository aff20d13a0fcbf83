#!/usr/bin/env bash
# Runs Quillmont.exe under Wine with the given arguments (installs and builds what
# is missing first). Without a display of your own it runs on a virtual one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
if [ ! -f "$root/build/windows/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$root/build/windows" --target Quillmont >/dev/null
source "$root/scripts/wine-env.sh"
[ -n "${DISPLAY:-}" ] || echo "(no DISPLAY: Quillmont's windows go to a virtual display)" >&2
quillmont_start_wine
set +e
wine "$root/build/windows/bin/Quillmont.exe" "$@"
code=$?
echo "Quillmont exited with code $code" >&2
exit $code
