# Sourced: starts and stops the loopback update service for the Windows tests.
#   quillmont_start_update_server   starts tests/update/update_server.py on 127.0.0.1
#                                   and exports QUILLMONT_UPDATE_SERVER=http://127.0.0.1:PORT
#   quillmont_stop_update_server    stops it
quillmont_update_server_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

quillmont_start_update_server() {
  local out
  out=$(mktemp)
  python3 "$quillmont_update_server_dir/update_server.py" "$@" >"$out" 2>&1 &
  quillmont_update_server_pid=$!
  for _ in $(seq 1 100); do
    grep -q '^PORT ' "$out" && break
    sleep 0.1
  done
  local port
  port=$(awk '/^PORT /{print $2}' "$out")
  rm -f "$out"
  if [ -z "$port" ]; then
    echo "the update server did not start" >&2
    return 1
  fi
  export QUILLMONT_UPDATE_SERVER="http://127.0.0.1:$port"
}

quillmont_stop_update_server() {
  [ -n "${quillmont_update_server_pid:-}" ] && kill "$quillmont_update_server_pid" 2>/dev/null
  wait "$quillmont_update_server_pid" 2>/dev/null
  quillmont_update_server_pid=""
}
