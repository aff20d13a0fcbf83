#!/usr/bin/env bash
# The dependency rule, from the bottom up:
#   src/base      the shared vocabulary; includes nothing of the project's
#   src/platform  the ports to the operating system; base only
#   src/core      the portable program; base, platform and core
#   src/native    the ports on libraries of other systems; base, platform, core
#   src/win32     the Win32 layer; everything below it
# Only the Win32 layer and the Windows tests include Windows headers, and no
# portable test includes the Win32 layer. Any include that runs upward fails.
#   check-layers.sh [ROOT]   checks the tree at ROOT (default: this checkout)
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
status=0

report() { echo "$1:"; echo "$2"; status=1; }

# The project includes of one layer that name a folder outside its allowed ones.
upward() {
  local layer=$1 allowed=$2
  [ -d "src/$layer" ] || return 0
  grep -rnE '#include *"[a-z0-9_]+/' "src/$layer" --include='*.h' --include='*.cpp' |
    grep -vE "#include *\"($allowed)/" || true
}

hits=$(upward base 'base');                      [ -z "$hits" ] || report "base includes a layer above it" "$hits"
hits=$(upward platform 'base|platform');         [ -z "$hits" ] || report "a port includes a layer above it" "$hits"
hits=$(upward core 'base|platform|core');        [ -z "$hits" ] || report "core includes a layer above it" "$hits"
hits=$(upward native 'base|platform|core|native'); [ -z "$hits" ] || report "native ports include a layer above them" "$hits"

windows_headers='#include *<(windows|winbase|winuser|winreg|commctrl|commdlg|objbase|shlobj|shellapi|wininet|msxml[0-9]*|oleauto|winver)\.h>'
hits=$(grep -rniE "$windows_headers" src tests --include='*.h' --include='*.cpp' |
       grep -vE '^(src/win32/|tests/win32/|tests/e2e/|tests/installer/|tests/contract/win32_)' || true)
[ -z "$hits" ] || report "Windows headers outside the Win32 layer" "$hits"
hits=$(grep -rnE '#include *"win32/' src/base src/core src/platform src/native tests/core tests/fakes 2>/dev/null || true)
[ -z "$hits" ] || report "portable code includes the Win32 layer" "$hits"

[ $status -eq 0 ] && echo "layers hold: base < platform < core < native, win32; Windows headers only in the Win32 layer"
exit $status
