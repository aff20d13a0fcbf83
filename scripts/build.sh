#!/usr/bin/env bash
# Configures and builds the given configurations (default: all four), each with
# warnings as errors: a warning in the project's own code fails the build.
#   native   Debian's g++, core suites and the benchmarks (built, not run) -> build/native
#   asan     the same with ASan and UBSan       -> build/asan
#   windows  MinGW-w64, Quillmont.exe and the Windows suites -> build/windows
#   windows-release  the same Quillmont.exe alone, for scripts/release.sh -> build/windows-release
#   fuzz     clang libFuzzer targets             -> build/fuzz
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configs=("$@"); [ ${#configs[@]} -gt 0 ] || configs=(native asan windows fuzz)
for config in "${configs[@]}"; do
  dir="$root/build/$config"
  case "$config" in
    native)  args=(-DCMAKE_BUILD_TYPE=Debug -DQUILLMONT_TESTS=ON -DQUILLMONT_BENCH=ON) ;;
    asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DQUILLMONT_SANITIZE=ON) ;;
    windows) args=(-DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
    windows-release) args=(-DCMAKE_BUILD_TYPE=Release -DQUILLMONT_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
    fuzz)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMONT_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "unknown configuration: $config" >&2; exit 2 ;;
  esac
  echo "== building $config"
  cmake -S "$root" -B "$dir" -G Ninja -DQUILLMONT_WARNINGS_AS_ERRORS=ON "${args[@]}" >/dev/null
  if ! cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"; echo "build of $config failed" >&2; exit 1
  fi
  # What the compiler reports of code that is not the project's (googletest's own
  # sources, say) does not stop the build; it is shown here.
  grep -E 'warning:' "$dir/build.log" || true
done
