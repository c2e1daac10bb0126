#!/usr/bin/env bash
# Keeps the wine server of the tests' prefix up from the Windows build's first test to its last.
#
#   cmake/wine-keep-server.sh start <wine_server_keeper.exe> <state file>
#   cmake/wine-keep-server.sh stop <state file>
#
# Debian's wine ends a prefix's server shortly after the last program in it ends (it runs with
# -p0), and on its way down the server saves the registry, which takes up to a second on a busy
# machine once a test has changed it. A program that starts in that time is cut off before it
# runs: it prints nothing, only "wine: a wine server seems to be running, but I cannot connect to
# it." on standard error, and exits with 1.
# The tests start one wine program after another, so now and then one of them met that moment.
# ctest runs "start" before the first test that uses wine and "stop" after the last (the fixture
# wine_server): in between the keeper, a Windows program that only waits, is a program of the
# prefix, so its server never begins to shut down. "stop" fails when the server was not the same
# one all along, and ends the keeper and nothing else: programs of another user of the prefix go
# on, and the server ends with the last of them.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/lib/usage.sh"
answer_help "$@"
prefix="${WDX_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix/wine-prefix}"

fail() {
  echo "wine-keep-server: $*" >&2
  exit 1
}

# The process id of the prefix's wine server: the wineserver working in the folder that wine
# names after the prefix folder's device and inode ("server-<dev>-<inode>").
prefix_server() {
  local key pid
  key="$(printf 'server-%x-%x' $(stat -c '%d %i' "$prefix"))"
  for pid in $(pgrep '^wineserver' || true); do
    if [[ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" == */"$key" ]] &&
      ! grep -q '^State:.*zombie' "/proc/$pid/status" 2>/dev/null; then
      echo "$pid"
      return 0
    fi
  done
}

# A process's identity: its id and its start time (clock ticks after boot, /proc/<pid>/stat),
# so that a process that later gets the same id is never taken for it. Empty when it is not
# running (a zombie left to its parent counts as ended).
process_identity() {
  local stat fields
  stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 0
  stat="${stat##*) }"  # the fields after the command name, which may hold anything
  read -r -a fields <<<"$stat"
  [[ "${fields[0]}" != Z ]] || return 0
  echo "$1:${fields[19]}"
}

# Ends the keeper that the state file names ("<keeper identity> <server pid>"), if it still runs.
stop_keeper() {
  local keeper server
  [[ -f "$1" ]] || return 0
  read -r keeper server <"$1" || true
  rm -f "$1" "$1.ready"
  if [[ "$keeper" == *:* && "$(process_identity "${keeper%%:*}")" == "$keeper" ]]; then
    kill "${keeper%%:*}"
  fi
}

case "${1:-}:$#" in
  start:3)
    keeper_exe="$2" state="$3"
    stop_keeper "$state"  # one that an interrupted run left behind
    # A server whose last program has just ended (one the build ran, say) is going down within a
    # second or two and must not meet the keeper either: wait until it is gone. One still in use
    # after 5 s is not going down, and the keeper joins it.
    WINEPREFIX="$prefix" timeout 5 wineserver -w || [[ $? -eq 124 ]] ||
      fail "could not wait for the wine server of $prefix"
    ready="$state.ready" log="$state.log"
    rm -f "$ready"
    # The keeper's output goes to a log, so that nothing waits for it to end. wine-run.sh hands
    # its process to the program, so the keeper is this child.
    "$here/wine-run.sh" "$keeper_exe" "Z:${ready//\//\\}" </dev/null >"$log" 2>&1 &
    keeper=$!
    give_up() {
      kill "$keeper" 2>/dev/null || true
      fail "$1: $(cat "$log")"
    }
    deadline=$((SECONDS + 300))  # the first run of all creates the prefix
    until [[ -f "$ready" ]]; do
      [[ -n "$(process_identity "$keeper")" ]] || give_up "the keeper ended before it was ready"
      [[ $SECONDS -lt $deadline ]] || give_up "the keeper was not ready within 300 s"
      sleep 0.1
    done
    server="$(prefix_server)"
    [[ -n "$server" ]] || give_up "no wine server for $prefix although the keeper runs"
    echo "$(process_identity "$keeper") $server" >"$state"
    echo "wine-keep-server: keeper $keeper holds wine server $server of $prefix up"
    ;;
  stop:2)
    state="$2"
    [[ -f "$state" ]] || fail "no keeper was started ($state is missing)"
    read -r keeper server <"$state"
    now="$(prefix_server)"
    problems=()
    [[ "$(process_identity "${keeper%%:*}")" == "$keeper" ]] ||
      problems+=("the keeper ended during the run: $(cat "$state.log")")
    [[ "$now" == "$server" ]] ||
      problems+=("the prefix's wine server changed during the run ($server before, ${now:-none} now)")
    stop_keeper "$state"
    [[ ${#problems[@]} -eq 0 ]] || fail "$(printf '%s\n' "${problems[@]}")"
    echo "wine-keep-server: wine server $server served the whole run; keeper ${keeper%%:*} ended"
    ;;
  *)
    refuse_argument "$*" "expected start <keeper> <state file> or stop <state file>, not"
    ;;
esac
