#!/usr/bin/env bash
# The one test command: installs what is missing, then configures, builds and
# tests the native, sanitize and windows builds, in that order, and finally
# runs every fuzz target for 20 s (scripts/fuzz.sh), stopping at the first
# failure. The summary at the end gives one verdict per stage with its times,
# and under it every skipped test with its reason (also when the stage failed),
# the result of each fuzz target, or the GUI test's failed check; a test that
# skips without giving one fails its stage.
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
source "$root/scripts/lib/stage-summary.sh"

"$root/scripts/install-deps.sh"

presets=("$@")
[[ ${#presets[@]} -gt 0 ]] || presets=(native sanitize windows fuzz)

# A run that ends early (a failure, Ctrl+C) during the Windows tests may leave the keeper of their
# wine server behind (cmake/wine-keep-server.sh); ctest ends it otherwise. A run without the
# Windows stage leaves alone the keeper of a ctest run of its own in that tree.
windows_tested=false
native_built=false
on_exit() {
  local keeper="$root/build/windows/wine-server-keeper"
  [[ -z "$fuzz_build_pid" ]] || kill "$fuzz_build_pid" 2>/dev/null || true
  if $windows_tested && [[ -f "$keeper" ]]; then
    "$root/cmake/wine-keep-server.sh" stop "$keeper" || true
  fi
  print_summary
}
trap on_exit EXIT

# Ends the run after a failed stage; its verdict is already in the summary.
stop() {
  echo "==== $1 FAILED ====" >&2
  exit 1
}

# Runs a configure or build step; on failure the stage's verdict names the step.
run_step() {
  local preset="$1" step="$2"
  shift 2
  "$@" && return 0
  record_stage "$preset" "FAILED at $step"
  stop "$preset: $step"
}

# ctest, its console output kept in build/<preset>/ctest.log for the list of skipped tests.
run_ctest() {
  local preset="$1"
  ctest --preset "$preset" 2>&1 | tee "$root/build/$preset/ctest.log"
}

# The fuzz targets' build (clang) runs beside the Windows GUI stage, which mostly waits for wine
# and the display: at the lowest priority, so that the windows under test never wait for it. The
# fuzz stage waits for it and then builds nothing more.
fuzz_build_pid=""
start_fuzz_build() {
  [[ " ${presets[*]} " == *" fuzz "* ]] || return 0
  mkdir -p "$root/build/fuzz"
  WDX_FUZZ_BUILD_ONLY=1 nice -n 19 "$root/scripts/fuzz.sh" >"$root/build/fuzz/early-build.log" 2>&1 &
  fuzz_build_pid=$!
}

# The fuzz stage: every target for 20 s, and each target's result under the verdict.
run_fuzz() {
  local start=$SECONDS status=0 results=() line
  rm -f "$root/build/fuzz/summary.txt"
  if [[ -n "$fuzz_build_pid" ]]; then
    # A failed early build is built again below, where its errors reach the log.
    wait "$fuzz_build_pid" || true
    fuzz_build_pid=""
  fi
  env WDX_FUZZ_BUDGET=0 "$root/scripts/fuzz.sh" 20 || status=$?
  if [[ -f "$root/build/fuzz/summary.txt" ]]; then
    while IFS= read -r line; do results+=("$line"); done <"$root/build/fuzz/summary.txt"
  fi
  if [[ $status -eq 0 ]]; then
    record_stage fuzz "OK (build and run $((SECONDS - start))s)" "${results[@]}"
  else
    record_stage fuzz "FAILED (build and run $((SECONDS - start))s; logs in build/fuzz)" \
      "${results[@]}"
    stop fuzz
  fi
}

# The Windows build's real windows, driven under wine on a virtual display; a failure names the
# check that failed.
run_gui() {
  local start=$SECONDS status=0 log="$root/build/windows/gui.log"
  if ! command -v Xvfb >/dev/null 2>&1 || ! command -v xdotool >/dev/null 2>&1; then
    record_stage "windows gui" "skipped (no Xvfb or xdotool)"
    return 0
  fi
  echo "==== windows gui ===="
  start_fuzz_build
  "$root/scripts/win32-gui-test.sh" 2>&1 | tee "$log" || status=$?
  if [[ $status -eq 0 ]]; then
    record_stage "windows gui" "OK ($((SECONDS - start))s)"
  else
    local failures=()
    mapfile -t failures < <(grep -E '^win32-gui-test: FAIL' "$log" || true)
    record_stage "windows gui" "FAILED ($((SECONDS - start))s; log build/windows/gui.log)" \
      "${failures[@]}"
    stop "windows gui"
  fi
}

for preset in "${presets[@]}"; do
  if [[ "$preset" == fuzz ]]; then
    run_fuzz
    continue
  fi

  echo "==== $preset: configure ===="
  start=$SECONDS
  prepare_build_tree "$preset"
  configure_args=()
  if [[ "$preset" == windows ]]; then
    # The cross build runs formc and formtool built for this machine: the native stage's, when
    # this run built them, else a build of its own inside build/windows.
    host_tools=""
    $native_built && host_tools="$root/build/native/bin"
    configure_args=("-DWDX_HOST_TOOLS_DIR=$host_tools")
  fi
  run_step "$preset" configure cmake --preset "$preset" -Wno-dev "${configure_args[@]}"
  t_conf=$((SECONDS - start))

  echo "==== $preset: build ===="
  start=$SECONDS
  run_step "$preset" build cmake --build --preset "$preset"
  t_build=$((SECONDS - start))

  echo "==== $preset: test ===="
  start=$SECONDS
  # The windows preset's tests include the end-to-end suite driving WDXConfig.exe under wine.
  status=0
  [[ "$preset" != windows ]] || windows_tested=true
  run_ctest "$preset" || status=$?
  record_test_stage "$preset" "$status" \
    "configure ${t_conf}s, build ${t_build}s, test $((SECONDS - start))s" \
    "$root/build/$preset/ctest.log" "$root/build/$preset/Testing/Temporary/LastTest.log" ||
    stop "$preset: test"

  [[ "$preset" != native ]] || native_built=true
  [[ "$preset" != windows ]] || run_gui
done
