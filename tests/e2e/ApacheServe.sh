#!/usr/bin/env bash
# Runs the system's Apache on a server root, asks it for one path and prints the whole answer,
# then stops it and waits until it is gone.
#
#   tests/e2e/ApacheServe.sh <server root> <port> <path>
set -euo pipefail

root="$1" port="$2" path="$3"
apache=(/usr/sbin/apache2 -d "$root" -f conf/httpd.conf)

"${apache[@]}" -k start
stop() {
  local pid
  pid="$(cat "$root/httpd.pid" 2>/dev/null || true)"
  "${apache[@]}" -k stop >/dev/null 2>&1 || true
  for _ in $(seq 100); do
    [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
}
trap stop EXIT

for _ in $(seq 100); do
  if exec 3<>"/dev/tcp/127.0.0.1/$port"; then
    printf 'GET %s HTTP/1.0\r\nHost: localhost\r\n\r\n' "$path" >&3
    cat <&3
    exit 0
  fi 2>/dev/null
  sleep 0.05
done
echo "Apache did not answer on port $port:" >&2
cat "$root/error.log" >&2
exit 1
