#!/usr/bin/env bash
# The dependency rule: only the Win32 layer and the Windows tests include
# <windows.h> (or any other Windows header); core includes nothing from win32.
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
windows_headers='#include *<(windows|winbase|winuser|winreg|commctrl|commdlg|objbase|shlobj|shellapi|wininet)\.h>'
hits=$(grep -rnE "$windows_headers" src tests --include='*.h' --include='*.cpp' |
       grep -vE '^(src/win32/|tests/win32/|tests/e2e/|tests/installer/|tests/contract/win32_)' || true)
if [ -n "$hits" ]; then echo "Windows headers outside the Win32 layer:"; echo "$hits"; status=1; fi
hits=$(grep -rnE '#include *"win32/' src/core src/platform tests/core tests/fakes || true)
if [ -n "$hits" ]; then echo "portable code includes the Win32 layer:"; echo "$hits"; status=1; fi
[ $status -eq 0 ] && echo "layers hold: Windows headers only in src/win32 and the Windows tests"
exit $status
