#!/usr/bin/env bash
# Every script of the repository answers --help with its usage on standard output (exit 0) and
# refuses an argument it does not know with its usage on standard error (exit 2), touching
# nothing: the scripts run from a scratch copy, where every program they could start to build,
# install or delete anything only notes that it was started.
set -euo pipefail

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/stubs" "$scratch/root/build/demo" "$scratch/root/tests"
cp -R "$1/scripts" "$1/.ci" "$1/cmake" "$scratch/root/"
cp -R "$1/tests/translations" "$1/tests/install" "$1/tests/e2e" "$scratch/root/tests/"
for tool in cmake ctest ninja apt-get sudo dpkg-query localedef wine wineserver Xvfb rm mkdir; do
  printf '#!/bin/sh\necho "%s $*" >>"%s/started"\n' "$tool" "$scratch" >"$scratch/stubs/$tool"
  chmod +x "$scratch/stubs/$tool"
done

failures=0
check() {  # check <script> <argument> <exit code> <stream that holds the usage>
  local status=0
  PATH="$scratch/stubs:$PATH" timeout 20 bash "$scratch/root/$1" "$2" \
    >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
  local usage="$scratch/$4" other="$scratch/out"
  [[ "$4" == out ]] && other="$scratch/err"
  if [[ $status -ne $3 || ! -s "$usage" || -s "$other" || -e "$scratch/started" ]] ||
    ! grep -q "$(basename "$1")" "$usage"; then
    echo "FAIL: $1 $2: exit $status (want $3); out: $(cat "$scratch/out"); err: $(cat "$scratch/err");" \
      "started: $(cat "$scratch/started" 2>/dev/null)"
    failures=$((failures + 1))
  fi
  rm -f "$scratch/started"
}
cd "$1"
for script in scripts/*.sh .ci/run cmake/wine-run.sh cmake/wine-keep-server.sh \
  tests/translations/translate-copy.sh tests/install/installed-example.sh tests/e2e/host/ClearWineApache.sh; do
  check "$script" --help 0 out
  check "$script" --no-such-option 2 err
done
[[ -d "$scratch/root/build/demo" ]] || { echo "FAIL: build/demo is gone"; failures=$((failures + 1)); }
[[ $failures -eq 0 ]] && echo "script usage: OK"
exit $((failures > 0))
