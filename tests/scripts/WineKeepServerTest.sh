#!/usr/bin/env bash
# cmake/wine-keep-server.sh as ctest uses it around the Windows build's tests: "start" leaves a
# keeper running that holds the prefix's wine server, a program run meanwhile is served by that
# same server, and "stop" ends the keeper; "stop" fails when the keeper did not last the run, when
# the server changed, and when no keeper was started.
#
#   WineKeepServerTest.sh <source dir> <wine_server_keeper.exe> <infra_exit_probe.exe>
set -euo pipefail

root="$1" keeper_exe="$2" probe="$3"
script="$root/cmake/wine-keep-server.sh"
scratch="$(mktemp -d)"
state="$scratch/keeper"
trap 'bash "$script" stop "$state" >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to 20 s for a process to be gone (a zombie counts as gone).
wait_gone() {
  local i
  for ((i = 0; i < 200; i++)); do
    [[ -e "/proc/$1" ]] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "process $1 ($2) still runs"
}

# Expects "stop" to fail saying $1, and to end the keeper all the same.
expect_stop_failure() {
  local said
  if said="$(bash "$script" stop "$state" 2>&1)"; then fail "stop passed: $said"; fi
  [[ "$said" == *"$1"* ]] || fail "stop said \"$said\", not \"$1\""
  [[ ! -e "$state" ]] || fail "stop left $state"
}

bash "$script" start "$keeper_exe" "$state"
read -r keeper server <"$state"
pid="${keeper%%:*}"
grep -qa wine_server_keeper "/proc/$pid/cmdline" || fail "no keeper runs as $pid"
[[ "$(cat "/proc/$server/comm")" == wineserver* ]] || fail "$server is no wine server"
said="$(bash "$root/cmake/wine-run.sh" "$probe" 0 served)"
[[ "$said" == *"arg2=<served>"* ]] || fail "the probe said \"$said\" while the keeper ran"

# A keeper that ended (or a process that took its id since: its start time differs), and a
# server other than the one at the start: both are told, and the running process is left alone.
echo "$pid:0 1" >"$state"
expect_stop_failure "the keeper ended during the run"
expect_stop_failure "no keeper was started"
echo "$pid:0 1" >"$state"
expect_stop_failure "the prefix's wine server changed during the run (1 before, $server now)"
[[ -e "/proc/$pid" ]] || fail "stop ended a process that was not its keeper"

echo "$keeper $server" >"$state"
said="$(bash "$script" stop "$state")"
[[ "$said" == *"wine server $server served the whole run; keeper $pid ended"* ]] ||
  fail "stop said \"$said\""
wait_gone "$pid" "the keeper"
echo "wine-keep-server: OK"
