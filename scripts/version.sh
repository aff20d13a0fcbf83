#!/usr/bin/env bash
# Prints the product's version (N.N.N) as the top CMakeLists.txt gives it, the
# one place it is written; the build makes everything else from it.
#   scripts/version.sh          the version, e.g. 2.0.1
#   scripts/version.sh -four    with the revision, 2.0.1.0 (as Windows' version resources write it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -nE 's/^project\(Quillmont VERSION ([0-9]+\.[0-9]+\.[0-9]+)(\.[0-9]+)? .*/\1/p' "$root/CMakeLists.txt")
revision=$(sed -nE 's/^project\(Quillmont VERSION [0-9]+\.[0-9]+\.[0-9]+\.([0-9]+) .*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "no version of the form N.N.N in $root/CMakeLists.txt" >&2; exit 1; }
if [ "${1:-}" = "-four" ]; then echo "$version.${revision:-0}"; else echo "$version"; fi
