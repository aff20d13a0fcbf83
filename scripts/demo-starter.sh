# Sourced by run.sh: makes sure that the program's settings in the Wine prefix
# hold a J2SE starter that reaches the host's Java through demo/java-bridge.sh.
# An existing starter with that program is kept; otherwise one is put into the
# first free slot. When the user has chosen no default J2SE starter, it becomes
# the default, so that the sample runs without a question.
quillmont_demo_starter() {
  local key='HKCU\Software\Brenwick\Quillmont\setup1\J2SE' bridge listing slot="" used default
  bridge=$(winepath -w "$root/demo/java-bridge.sh")
  listing=$(wine reg query "$key" /s 2>/dev/null | tr -d '\r' || true)
  # The slot of a starter whose ExecutableFile is the bridge.
  slot=$(awk -v bridge="$bridge" '
    /^HKEY_/ { n = split($0, parts, "\\"); current = parts[n] }
    $1 == "ExecutableFile" { value = $0; sub(/^[ \t]*ExecutableFile[ \t]+REG_SZ[ \t]+/, "", value)
                             if (value == bridge) { print current; exit } }' <<<"$listing")
  if [ -z "$slot" ]; then
    used=$(grep -oE '\\J2SE\\[0-9]+$' <<<"$listing" | grep -oE '[0-9]+$' || true)
    slot=1
    while grep -qx "$slot" <<<"$used"; do slot=$((slot + 1)); done
    wine reg add "$key\\$slot" /v Name /t REG_SZ /d "Host Java (through Wine)" /f >/dev/null
    wine reg add "$key\\$slot" /v ExecutableFile /t REG_SZ /d "$bridge" /f >/dev/null
    wine reg add "$key\\$slot" /v Arguments /t REG_SZ /d "-jar %1 %*" /f >/dev/null
    echo "(added the J2SE starter \"Host Java (through Wine)\" in slot $slot)" >&2
  fi
  default=$(awk '$1 == "DefaultAction" { print $3; exit }' <<<"$listing")
  if [ -z "$default" ] || [ $((default)) -eq 0 ]; then
    wine reg add "$key" /v DefaultAction /t REG_DWORD /d "$slot" /f >/dev/null
  fi
}
