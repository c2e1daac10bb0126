#!/usr/bin/env bash
# The one test command: installs what is missing, then configures, builds and
# tests the native, sanitize and windows builds, in that order, and finally
# runs every fuzz target for 20 s (scripts/fuzz.sh), stopping at the first
# failure. The summary at the end lists every skipped test with its reason; a
# test that skips without giving one fails its stage.
#
#   scripts/test.sh                 all three builds, then the fuzz stage
#   scripts/test.sh native windows  only the named stages, in the given order: native,
#                                   debug, sanitize, windows (presets) or fuzz
#
# Build trees go to build/<preset> (build/fuzz) in the repository.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
for stage in "$@"; do
  [[ " native debug sanitize windows fuzz " == *" $stage "* ]] || refuse_argument "$stage" "unknown stage"
done
source "$root/scripts/lib/build-tree.sh"

"$root/scripts/install-deps.sh"

presets=("$@")
[[ ${#presets[@]} -gt 0 ]] || presets=(native sanitize windows fuzz)

summary=()
print_summary() {
  echo
  echo "==== summary ===="
  for line in "${summary[@]}"; do echo "  $line"; done
}
trap print_summary EXIT

run_step() {
  local preset="$1" step="$2"
  shift 2
  if ! "$@"; then
    summary+=("$preset: FAILED at $step")
    echo "==== $preset: $step FAILED ====" >&2
    exit 1
  fi
}

# ctest, its console output kept in build/<preset>/ctest.log for the list of skipped tests.
run_ctest() {
  local preset="$1"
  ctest --preset "$preset" 2>&1 | tee "$root/build/$preset/ctest.log"
}

# Adds the skipped tests of a stage's logs to the summary; fails the stage when one gave no
# reason.
report_skips() {
  local preset="$1"
  shift
  local logs=() log skipped unexplained
  for log in "$@"; do [[ -f "$log" ]] && logs+=("$log"); done
  [[ ${#logs[@]} -gt 0 ]] || return 0
  skipped="$("$root/scripts/skipped-tests.sh" "${logs[@]}")"
  [[ -n "$skipped" ]] || return 0
  while IFS= read -r line; do summary+=("  skipped $line"); done <<<"$skipped"
  unexplained="$(grep -c ': (no reason given)$' <<<"$skipped" || true)"
  if [[ "$unexplained" -gt 0 ]]; then
    summary+=("$preset: FAILED: $unexplained skipped test(s) gave no reason")
    echo "==== $preset: tests skipped without a reason ====" >&2
    exit 1
  fi
}

for preset in "${presets[@]}"; do
  if [[ "$preset" == fuzz ]]; then
    start=$SECONDS
    # Each target its full 20 seconds, however many targets there are.
    run_step fuzz run env WDX_FUZZ_BUDGET=0 "$root/scripts/fuzz.sh" 20
    summary+=("fuzz: OK (build and run $((SECONDS - start))s)")
    while read -r line; do summary+=("  $line"); done <"$root/build/fuzz/summary.txt"
    continue
  fi

  echo "==== $preset: configure ===="
  start=$SECONDS
  prepare_build_tree "$preset"
  run_step "$preset" configure cmake --preset "$preset" -Wno-dev
  t_conf=$((SECONDS - start))

  echo "==== $preset: build ===="
  start=$SECONDS
  run_step "$preset" build cmake --build --preset "$preset"
  t_build=$((SECONDS - start))

  echo "==== $preset: test ===="
  start=$SECONDS
  # The windows preset's tests include the end-to-end suite driving WDXConfig.exe under wine.
  run_step "$preset" test run_ctest "$preset"
  t_test=$((SECONDS - start))

  summary+=("$preset: OK (configure ${t_conf}s, build ${t_build}s, test ${t_test}s)")
  report_skips "$preset" "$root/build/$preset/ctest.log" \
    "$root/build/$preset/Testing/Temporary/LastTest.log"

  # The Windows build's real windows, driven under wine on a virtual display.
  if [[ "$preset" == windows ]]; then
    if command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1; then
      echo "==== windows: gui ===="
      start=$SECONDS
      run_step windows gui "$root/scripts/win32-gui-test.sh"
      summary+=("windows gui: OK ($((SECONDS - start))s)")
    else
      summary+=("windows gui: skipped (no Xvfb or xdotool)")
    fi
  fi
done

# Stop this user's wine server for the shared prefix now rather than letting it
# linger after the run.
if [[ " ${presets[*]} " == *" windows "* ]] && command -v wineserver >/dev/null 2>&1; then
  WINEPREFIX="${WDX_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix/wine-prefix}" \
    wineserver -k >/dev/null 2>&1 || true
fi
