#!/usr/bin/env bash
# Quillmont.exe reaches its real https:// update address: for the run, the
# product's host name points at 127.0.0.1 in /etc/hosts, a TLS server with a
# certificate from a throwaway authority answers there on port 443, and that
# authority is in the machine's trust store (Wine's WinINet trusts what the host
# trusts). Both files are put back afterwards, whatever happens. The server
# records the request, which is checked here; the dialog's side is the
# end-to-end test ShippedUpdateAddress.*.
# Prints one line per check and "N passed, N failed". Needs root.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
host=$(sed -nE 's|.*kUpdateServiceUrl\[\] *= *u"https://([^/]+)/.*|\1|p' "$root/src/core/app/product.h")
path=$(sed -nE 's|.*kUpdateServiceUrl\[\] *= *u"https://[^/]+(/[^"]*)".*|\1|p' "$root/src/core/app/product.h")
tests=${QUILLMONT_E2E_TESTS:-$root/build/windows/bin/quillmont_e2e_tests.exe}
[ -n "$host" ] && [ -f "$tests" ] || { echo "no update address in product.h, or no $tests" >&2; exit 1; }

work=$(mktemp -d /tmp/quillmont-tls.XXXXXX)
anchor=/usr/local/share/ca-certificates/quillmont-test-authority.crt
cp -p /etc/hosts "$work/hosts.before"
server_pid=""
restore() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  cat "$work/hosts.before" >/etc/hosts  # the same file, so its owner and links stay
  if [ -f "$anchor" ]; then rm -f "$anchor"; update-ca-certificates --fresh >/dev/null 2>&1; fi
  rm -rf "$work"
}
trap restore EXIT

# The throwaway authority and the host's certificate, signed by it.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Quillmont test authority" \
  -keyout "$work/ca.key" -out "$work/ca.crt" >/dev/null 2>&1 &&
openssl req -newkey rsa:2048 -nodes -subj "/CN=$host" -keyout "$work/server.key" -out "$work/server.csr" \
  >/dev/null 2>&1 &&
printf 'subjectAltName=DNS:%s\nextendedKeyUsage=serverAuth\n' "$host" >"$work/server.ext" &&
openssl x509 -req -in "$work/server.csr" -CA "$work/ca.crt" -CAkey "$work/ca.key" -CAcreateserial -days 2 \
  -extfile "$work/server.ext" -out "$work/server.crt" >/dev/null 2>&1 || { echo "openssl failed" >&2; exit 1; }
cp "$work/ca.crt" "$anchor" && update-ca-certificates >/dev/null 2>&1 || { echo "could not trust the authority" >&2; exit 1; }
printf '127.0.0.1\t%s\n' "$host" >>/etc/hosts

python3 "$root/tests/update/update_server.py" --port 443 --cert "$work/server.crt" --key "$work/server.key" \
  --log "$work/requests.log" >"$work/server.out" 2>&1 &
server_pid=$!
for _ in $(seq 1 50); do grep -q '^PORT ' "$work/server.out" && break; sleep 0.1; done
grep -q '^PORT ' "$work/server.out" || { cat "$work/server.out"; echo "the TLS server did not start" >&2; exit 1; }

passed=0; failed=0
check() {
  local what=$1; shift
  if "$@"; then echo "ok      $what"; passed=$((passed + 1)); else echo "FAILED  $what"; failed=$((failed + 1)); fi
}
(
  source "$root/scripts/wine-env.sh"
  quillmont_start_wine >>"$work/e2e.log" 2>&1 || { echo "Wine did not start" >>"$work/e2e.log"; exit 1; }
  QUILLMONT_TLS_ROUND_TRIP=1 timeout 120 wine "$tests" --gtest_filter='ShippedUpdateAddress.*' >"$work/e2e.log" 2>&1
) && grep -q '^\[  PASSED  \] 1 test' "$work/e2e.log"
reached=$?
check "Quillmont.exe says the latest version after asking https://$host$path" test "$reached" -eq 0
[ "$reached" -eq 0 ] || grep -vE 'fixme|^$' "$work/e2e.log" | tail -n 20

request=$(head -n 1 "$work/requests.log" 2>/dev/null)
header() { python3 -c 'import json,sys; e=json.loads(sys.argv[1]); print(dict(e["headers"]).get(sys.argv[2], ""))' "$request" "$1" 2>/dev/null; }
line=$(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["requestline"])' "$request" 2>/dev/null)
check "one request, and nothing else" test "$(wc -l <"$work/requests.log" 2>/dev/null)" = 1
version=$("$root/scripts/version.sh" -four)
check "request line: GET $path?version=$version&source=program HTTP/1.1" test "$line" = "GET $path?version=$version&source=program HTTP/1.1"
check "Host: $host" test "$(header Host)" = "$host"
check "User-Agent: WebUpdateChecker" test "$(header User-Agent)" = "WebUpdateChecker"
check "Content-type: text/plain" test "$(header Content-type)" = "text/plain"
check "Pragma: no-cache" test "$(header Pragma)" = "no-cache"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
