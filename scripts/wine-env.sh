# Sourced by the run and test scripts: creates the project's Wine prefix when it
# is missing, provides a display (Xvfb) when there is none, keeps one persistent
# wineserver for the whole run and stops both again when the script exits.
#   quillmont_on_exit COMMAND   runs COMMAND when the shell exits, however it exits,
#                               after what was registered later; a plain
#                               `trap ... EXIT` would replace the others
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${QUILLMONT_WINEPREFIX:-$root/.wine}"
export WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
quillmont_xvfb_pid=""
quillmont_exit_hooks=()

quillmont_run_exit_hooks() {
  local i
  for ((i = ${#quillmont_exit_hooks[@]} - 1; i >= 0; i--)); do eval "${quillmont_exit_hooks[i]}"; done
  quillmont_exit_hooks=()
}

quillmont_on_exit() {
  quillmont_exit_hooks+=("$1")
  trap quillmont_run_exit_hooks EXIT
  # A signal ends the shell through its exit, so that the hooks run then too.
  trap 'exit 130' INT
  trap 'exit 143' TERM
  trap 'exit 129' HUP
}

quillmont_stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$quillmont_xvfb_pid" ]; then
    kill "$quillmont_xvfb_pid" 2>/dev/null || true
    wait "$quillmont_xvfb_pid" 2>/dev/null || true
    quillmont_xvfb_pid=""
  fi
}

quillmont_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 "${QUILLMONT_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    quillmont_xvfb_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$quillmont_xvfb_pid" 2>/dev/null; quillmont_xvfb_pid=""
  done
  echo "could not start Xvfb" >&2
  return 1
}

# For the Windows suites (the test and the soak command): Wine, the stand-in
# update service on 127.0.0.1 that the update check's tests ask, and windows that
# wait for no window manager (Xvfb has none, and a managed Wine window waits up
# to two seconds for one whenever a dialog closes).
quillmont_start_test_wine() {
  quillmont_start_wine || return 1
  source "$root/tests/update/update_server.sh"
  quillmont_on_exit quillmont_stop_update_server
  quillmont_start_update_server || return 1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  quillmont_on_exit "wine reg delete 'HKCU\\Software\\Wine\\X11 Driver' /v Managed /f >/dev/null 2>&1"
}

quillmont_start_wine() {
  quillmont_on_exit quillmont_stop_wine
  quillmont_start_display || return 1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== creating the Wine prefix in $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p
  wine wineboot >/dev/null 2>&1 || true
}
