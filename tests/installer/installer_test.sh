#!/usr/bin/env bash
# Installs and uninstalls Quillmont-<version>-x64-setup.exe under Wine and checks
# what each leaves behind. One line per check, then "N passed, N failed".
#   QUILLMONT_SETUP    the setup program (default build/installer/, from scripts/installer.sh)
#   QUILLMONT_STARTER  the recording starter (default build/windows/bin/recording_starter.exe)
#   QUILLMONT_TEST_ARCHIVES  the archives the test build wrote (default build/windows/test-archives)
#   QUILLMONT_WINEPREFIX  another Wine prefix than the project's
# The keys the test writes itself (the .jar/.jad extensions, the starter
# settings) are put back as they were before the registry is compared.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$("$root/scripts/version.sh")
setup=${QUILLMONT_SETUP:-$root/build/installer/Quillmont-$version-x64-setup.exe}
starter=${QUILLMONT_STARTER:-$root/build/windows/bin/recording_starter.exe}
# A desktop archive and a MIDlet suite that the build of the tests wrote.
archives=${QUILLMONT_TEST_ARCHIVES:-$root/build/windows/test-archives}
for file in "$setup" "$starter" "$archives/python-desktop.jar" "$archives/python-suite.jar"; do
  [ -f "$file" ] || { echo "missing $file (scripts/installer.sh, scripts/build.sh windows)" >&2; exit 1; }
done
passed=0; failed=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok      $what"; passed=$((passed + 1)); else echo "FAILED  $what"; failed=$((failed + 1)); fi
}
same() { [ "$1" = "$2" ] || { printf '   expected: %s\n   actual:   %s\n' "$2" "$1"; return 1; }; }

source "$root/scripts/wine-env.sh"
# Wine would mirror the Start-menu shortcut into the Linux desktop's menus (and
# never take it out again); the test keeps the host's home as it is.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
quillmont_start_wine || exit 1
work=$(mktemp -d /tmp/quillmont-installer-test.XXXXXX)
win() { winepath -w "$1" 2>/dev/null; }
# A key as text. Left out: Wine's "Temporary System Parameters", session-only
# copies of the display settings that user32 writes whenever a window opens.
export_key() {
  wine reg export "$1" "$(win "$2")" /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$2" | tr -d '\r' |
    awk '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters") == 1 } !skip' >"$2.txt"
}
# "TYPE DATA" of one value ("" for the default value).
value() {
  local which=(/v "$2"); [ -n "$2" ] || which=(/ve)
  wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | sed -nE 's/^    .*    (REG_[A-Z_]+)    (.*)$/\1 \2/p'
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
unix_of() { winepath -u "$1" 2>/dev/null; }

# The keys this test writes, saved to be imported again at the end.
own_keys=('HKCU\Software\Classes\.jar' 'HKCU\Software\Classes\.jad' 'HKCU\Software\Brenwick')
restore_keys() {
  local i
  for i in "${!own_keys[@]}"; do
    wine reg delete "${own_keys[$i]}" /f >/dev/null 2>&1
    [ -f "$work/own$i.reg" ] && wine reg import "$(win "$work/own$i.reg")" >/dev/null 2>&1
  done
}
quillmont_on_exit 'restore_keys; rm -rf "$work"'
for i in "${!own_keys[@]}"; do wine reg export "${own_keys[$i]}" "$(win "$work/own$i.reg")" /y >/dev/null 2>&1; done

profile=$(unix_of "$(wine cmd /c echo %USERPROFILE% | tr -d '\r')")
programs=$(unix_of "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Programs
instdir="$programs/Quillmont"
shortcut=$(unix_of "$(wine cmd /c echo %APPDATA% | tr -d '\r')")"/Microsoft/Windows/Start Menu/Programs/Quillmont Setup.lnk"
# Every file and folder of the user's profile (where the install goes, the
# shortcut, the temporary folder the setup programs unpack into), but for one
# thing: an NSIS uninstaller runs from a copy in Temp\~nsuN.tmp, which cannot
# delete itself and is left for removal at the next start of Windows.
list_profile() { (cd "$profile" && find . | grep -v '^\./Temp/~nsu[^/]*\.tmp' | LC_ALL=C sort) >"$1"; }
# Every Windows profile has its own classes key; a new Wine prefix has none
# until something writes there, and what stays then is no trace of ours.
wine reg add 'HKCU\Software\Classes' /f >/dev/null 2>&1
export_key HKCU "$work/hkcu-before.reg"
list_profile "$work/files-before"
ls -d "$profile"/Temp/~nsu*.tmp >"$work/copies-before" 2>/dev/null

# As a package manager runs them: the setup program with /S, and the uninstall
# entry's QuietUninstallString (the uninstaller copies itself to the temporary
# folder and returns at once; the copy is done when the entry is gone). Neither
# may show a window (quiet_run.exe names any that appears).
quiet() {  # quiet COMMAND-LINE [KEY]
  local shown status
  shown=$(timeout 120 wine "$work/quiet_run.exe" "$@" 2>>"$work/wine.log"); status=$?
  [ -z "$shown" ] || echo "$shown" | sed 's/^/   /'
  [ "$status" -eq 0 ] || echo "   ended with $status"
  [ "$status" -eq 0 ] && [ -z "$shown" ]
}
install() { quiet "\"$(win "$setup")\" /S${1:+ $1}"; }  # install [/D=FOLDER]
uninstall() {
  local command
  command=$(value "$uninstall_key" QuietUninstallString)
  [ -n "$command" ] || { echo "   no QuietUninstallString"; return 1; }
  quiet "${command#REG_SZ }" "${uninstall_key#HKCU\\}"
}
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmont'
classes='HKCU\Software\Classes'

for helper in shell_open quiet_run; do
  x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -municode -static -DUNICODE -D_UNICODE \
    "$root/tests/installer/$helper.cpp" -o "$work/$helper.exe" -lshell32 -ladvapi32 || exit 1
done

echo "== another folder (/D=), with a file of the user's in it"
mkdir -p "$work/custom"
custom="$work/custom/tools/Quillmont"
check "the installer ends with 0, showing no window" install "/D=$(win "$custom")"
check "the program is in the chosen folder" test -f "$custom/Quillmont.exe"
check "the open command names the chosen folder" same "$(value "$classes\\Quillmont.jar\\shell\\open\\command" "")" \
  "REG_SZ \"$(win "$custom")\\Quillmont.exe\" \"%1\" %*"
check "the uninstall entry names the chosen folder" same "$(value "$uninstall_key" InstallLocation)" "REG_SZ $(win "$custom")"
check "the default folder was not used" test ! -e "$instdir"
check "the quiet uninstall ends, showing no window" uninstall
check "the chosen folder goes, and the one the install created above it" test ! -e "$work/custom/tools"
check "the folder that was there before stays" test -d "$work/custom"
install "/D=$(win "$custom")" >/dev/null 2>&1
echo "my notes" >"$custom/notes.txt"
check "the quiet uninstall ends, showing no window" uninstall
check "a file the user added stays, and so its folder" test -f "$custom/notes.txt"
check "the installed files are gone" test ! -e "$custom/Quillmont.exe" -a ! -e "$custom/Uninstall.exe"
rm -rf "$work/custom/tools"

echo "== the default folder"
check "the installer ends with 0, showing no window" install
check "Quillmont.exe is in the user's programs folder" cmp -s "$instdir/Quillmont.exe" \
  "${QUILLMONT_EXE:-$root/build/windows/bin/Quillmont.exe}"
check "the uninstaller is beside it" test -f "$instdir/Uninstall.exe"
check "nothing else is in the folder" same "$(ls "$instdir" | tr '\n' ' ')" "Quillmont.exe Uninstall.exe "
exe=$(win "$instdir/Quillmont.exe")
link=$(python3 "$root/tests/installer/read_shortcut.py" "$shortcut")
check "the Start-menu shortcut runs Quillmont.exe /setup" same "$link" "$exe|/setup"

expect_class() {  # expect_class CLASS DESCRIPTION
  local icon command
  icon=$(sed 's/\\/\\\\/g; s/"/\\"/g' <<<"\"$exe\",0")
  command=$(sed 's/\\/\\\\/g; s/"/\\"/g' <<<"\"$exe\" \"%1\" %*")
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Classes\\%s]\n@="%s"\n\n' "$1" "$2"
  printf '[HKEY_CURRENT_USER\\Software\\Classes\\%s\\DefaultIcon]\n@="%s"\n\n' "$1" "$icon"
  printf '[HKEY_CURRENT_USER\\Software\\Classes\\%s\\shell]\n\n' "$1"
  printf '[HKEY_CURRENT_USER\\Software\\Classes\\%s\\shell\\open]\n\n' "$1"
  printf '[HKEY_CURRENT_USER\\Software\\Classes\\%s\\shell\\open\\command]\n@="%s"\n\n' "$1" "$command"
}
for class in "Quillmont.jar|Java Archive" "Quillmont.jad|Java Application Descriptor"; do
  export_key "$classes\\${class%%|*}" "$work/class.reg"
  check "the class ${class%%|*}: description, icon, open command and nothing more" \
    same "$(cat "$work/class.reg.txt" 2>/dev/null)" "$(expect_class "${class%%|*}" "${class#*|}")"
done
check "no .jar or .jad extension was written" \
  same "$(key_exists "$classes\\.jar" && echo .jar)$(key_exists "$classes\\.jad" && echo .jad)" \
       "$( [ -f "$work/own0.reg" ] && echo .jar)$( [ -f "$work/own1.reg" ] && echo .jad)"
for entry in "DisplayName|REG_SZ Quillmont" "DisplayVersion|REG_SZ $version" "Publisher|REG_SZ Brenwick" \
             "DisplayIcon|REG_SZ \"$exe\",0" "UninstallString|REG_SZ \"$(win "$instdir")\\Uninstall.exe\"" \
             "QuietUninstallString|REG_SZ \"$(win "$instdir")\\Uninstall.exe\" /S" \
             "InstallLocation|REG_SZ $(win "$instdir")" "NoModify|REG_DWORD 0x1" "NoRepair|REG_DWORD 0x1"; do
  check "uninstall entry: ${entry%%|*}" same "$(value "$uninstall_key" "${entry%%|*}")" "${entry#*|}"
done
check "for the user alone: no entry in the machine's list of programs" bash -c "! wine reg query '${uninstall_key/HKCU/HKLM}' >/dev/null 2>&1"
size=$(value "$uninstall_key" EstimatedSize)
check "uninstall entry: EstimatedSize about the files' size in KB" \
  test "${size%% *}" = REG_DWORD -a $(( ${size#* } )) -ge $(( $(stat -c %s "$instdir/Quillmont.exe") / 1024 ))

echo "== opening files through the classes"
# As "File Associations..." does, and with the recording starter as the only
# starter of each kind, started without asking.
wine reg add "$classes\\.jar" /ve /d Quillmont.jar /f >/dev/null
wine reg add "$classes\\.jad" /ve /d Quillmont.jad /f >/dev/null
settings='HKCU\Software\Brenwick\Quillmont\setup1'
wine reg delete "$settings" /f >/dev/null 2>&1
for kind in "J2SE|%1" "J2ME|%1 %2"; do
  wine reg add "$settings\\${kind%%|*}" /v DefaultAction /t REG_DWORD /d 1 /f >/dev/null
  wine reg add "$settings\\${kind%%|*}\\1" /v Name /d "recording starter" /f >/dev/null
  wine reg add "$settings\\${kind%%|*}\\1" /v ExecutableFile /d "$(win "$starter")" /f >/dev/null
  wine reg add "$settings\\${kind%%|*}\\1" /v Arguments /d "${kind#*|}" /f >/dev/null
done
mkdir -p "$work/my apps"
cp "$archives/python-desktop.jar" "$work/my apps/hello world.jar"
cp "$archives/python-suite.jar" "$work/my apps/game.jar"
# The size agrees, so opening the descriptor asks nothing.
printf 'MIDlet-Name: Test Suite\r\nMIDlet-Jar-URL: game.jar\r\nMIDlet-Jar-Size: %s\r\n' \
  "$(stat -c %s "$work/my apps/game.jar")" >"$work/my apps/game.jad"
export QUILLMONT_RECORD_FILE; QUILLMONT_RECORD_FILE=$(win "$work/record.txt")
opened() {  # opened FILE EXPECTED-STARTER-ARGUMENTS
  rm -f "$work/record.txt"
  timeout 90 wine "$work/shell_open.exe" "$(win "$1")" || { echo "   Quillmont did not end with 0"; return 1; }
  for _ in $(seq 1 100); do [ -f "$work/record.txt" ] && break; sleep 0.1; done
  same "$(iconv -f UTF-16LE -t UTF-8 "$work/record.txt" 2>/dev/null)" "\"$(win "$starter")\" $2"
}
check "a desktop .jar opens through Quillmont.jar and starts the J2SE starter" \
  opened "$work/my apps/hello world.jar" "\"$(win "$work/my apps/hello world.jar")\""
check "a .jad opens through Quillmont.jad and starts the J2ME starter" \
  opened "$work/my apps/game.jad" "\"$(win "$work/my apps/game.jad")\" \"$(win "$work/my apps/game.jar")\""

echo "== uninstalling"
check "the quiet uninstall ends, showing no window" uninstall
check "the install folder is gone" test ! -e "$instdir"
check "the shortcut is gone" test ! -e "$shortcut"
check "the class Quillmont.jar is gone" bash -c "! wine reg query '$classes\\Quillmont.jar' >/dev/null 2>&1"
check "the class Quillmont.jad is gone" bash -c "! wine reg query '$classes\\Quillmont.jad' >/dev/null 2>&1"
check "the uninstall entry is gone" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "the extensions the user pointed at Quillmont stay" same "$(value "$classes\\.jar" "")|$(value "$classes\\.jad" "")" \
  "REG_SZ Quillmont.jar|REG_SZ Quillmont.jad"
check "the program's settings stay" key_exists "$settings\\J2SE\\1"

restore_keys
export_key HKCU "$work/hkcu-after.reg"
list_profile "$work/files-after"
# The uninstallers' copies of this run (their processes have ended).
ls -d "$profile"/Temp/~nsu*.tmp 2>/dev/null | grep -vxF -f "$work/copies-before" | while read -r copy; do rm -rf "$copy"; done
check "the user's files are as before" diff "$work/files-before" "$work/files-after"
check "HKCU is as before" diff "$work/hkcu-before.reg.txt" "$work/hkcu-after.reg.txt"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
