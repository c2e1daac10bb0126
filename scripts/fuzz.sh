#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a while from a
# scratch copy of its seed corpus (fuzz/corpus/<name>/ is never changed), two
# targets at a time.
#
#   [WDX_FUZZ_BUDGET=seconds] scripts/fuzz.sh [seconds]     seconds per target, 30 by default
#
# WDX_FUZZ_TARGETS names the targets to run (all of them by default), as "po_reader object_text".
# The run stage keeps within a budget of WDX_FUZZ_BUDGET seconds (90 by
# default, 0 for none): when the targets at the seconds asked for would take
# longer, each target gets an equal share of the budget instead, so the stage
# stays short however long the caller asks for. A long local run:
#   WDX_FUZZ_BUDGET=0 scripts/fuzz.sh 600
#
# Exits non-zero on any crash, leak, timeout or sanitizer report; the input
# that caused it is left in build/fuzz/ as <name>-crash-*, -leak-*, -timeout-*
# or -oom-*, and the run's log as build/fuzz/<name>.log. To replay one:
#   build/fuzz/bin/<name>_fuzz build/fuzz/<name>-crash-...
set -euo pipefail
shopt -s nullglob

source "$(dirname "${BASH_SOURCE[0]}")/lib/usage.sh"
answer_help "$@"
[[ $# -le 1 ]] || refuse_argument "$2"
seconds="${1:-30}"
budget="${WDX_FUZZ_BUDGET:-90}"
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || refuse_argument "$seconds" "not a number of seconds"
[[ "$budget" =~ ^[0-9]+$ ]] || refuse_argument "WDX_FUZZ_BUDGET=$budget" "not a number of seconds"
# Targets run side by side, one per core of the two that CI has.
slots=2

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="$root/build/fuzz"

# --- tools ------------------------------------------------------------------
missing=()
for pkg in clang-14 libclang-rt-14-dev; do
  status="$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)"
  [[ "$status" == ii* ]] || missing+=("$pkg")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null 2>&1 || {
      echo "fuzz: need root to install: ${missing[*]}" >&2
      exit 1
    }
    sudo=(sudo)
  fi
  echo "fuzz: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- configure and build ------------------------------------------------------
mkdir -p "$build"
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
[[ -f "$build/CMakeCache.txt" ]] && generator=()

echo "==== fuzz: configure and build ===="
# -O1 with line tables only: what fuzzing needs for speed and readable reports, at half the
# build time of full debug information.
if ! CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" "${generator[@]}" -Wno-dev \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DWDX_FUZZ=ON >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  echo "fuzz: FAILED at configure" >&2
  exit 1
fi
if ! cmake --build "$build" --target fuzzers -j2 >"$build/build.log" 2>&1; then
  tail -n 60 "$build/build.log" >&2
  echo "fuzz: FAILED at build (log: build/fuzz/build.log)" >&2
  exit 1
fi

# WDX_FUZZ_BUILD_ONLY=1: only configure and build (scripts/test.sh does so beside another stage).
[[ "${WDX_FUZZ_BUILD_ONLY:-}" != 1 ]] || exit 0

# --- run --------------------------------------------------------------------
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0
names=()
for seeds in "$root"/fuzz/corpus/*/; do names+=("$(basename "$seeds")"); done
# WDX_FUZZ_TARGETS="po_reader object_text" runs only those.
if [[ -n "${WDX_FUZZ_TARGETS:-}" ]]; then
  read -r -a names <<<"$WDX_FUZZ_TARGETS"
fi
# A target without seeds would never run.
for binary in "$build"/bin/*_fuzz; do
  name="$(basename "$binary" _fuzz)"
  if [[ ! -d "$root/fuzz/corpus/$name" ]]; then
    echo "fuzz: target ${name}_fuzz has no seed corpus fuzz/corpus/$name" >&2
    failed=1
  fi
done

rounds=$(((${#names[@]} + slots - 1) / slots))
if [[ "$budget" -gt 0 && "$rounds" -gt 0 && $((seconds * rounds)) -gt "$budget" ]]; then
  seconds=$((budget / rounds))
  [[ "$seconds" -gt 0 ]] || seconds=1
fi

# Runs one target; its result line goes to build/fuzz/<name>.result and what
# explains a failure to build/fuzz/<name>.report.
run_target() {
  local name="$1"
  local binary="$build/bin/${name}_fuzz"
  local corpus="$build/corpus/$name"
  local log="$build/$name.log"
  local result="$build/$name.result"
  local report="$build/$name.report"
  : >"$report"
  if [[ ! -x "$binary" ]]; then
    echo "fuzz: no target ${name}_fuzz for fuzz/corpus/$name" >"$report"
    echo "$name: FAILED (no target)" >"$result"
    return
  fi
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp -R "$root/fuzz/corpus/$name/." "$corpus/"
  rm -f "$build/$name"-{crash,leak,timeout,oom,slow-unit}-*

  # fuzz/<name>.dict, when there is one, gives the mutator the format's words.
  local dict=()
  [[ -f "$root/fuzz/$name.dict" ]] && dict=(-dict="$root/fuzz/$name.dict")
  local status=0
  "$binary" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/$name-" \
    >"$log" 2>&1 || status=$?

  local runs rate artifacts
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  artifacts=("$build/$name"-{crash,leak,timeout,oom}-*)
  if [[ $status -ne 0 || ${#artifacts[@]} -gt 0 ]] ||
    grep -qE '^(==[0-9]+==ERROR|SUMMARY: )|runtime error:' "$log"; then
    grep -E 'ERROR|SUMMARY|runtime error|_fuzz: |Test unit written' "$log" >"$report" ||
      tail -n 30 "$log" >"$report"
    echo "$name: FAILED (exit $status; log build/fuzz/$name.log)" >"$result"
  else
    echo "$name: OK (${runs:-?} runs, ${rate:-?} exec/s, ${seconds}s)" >"$result"
  fi
}

echo "==== fuzz: ${names[*]} (${seconds}s each, $slots at a time) ===="
running=0
for name in "${names[@]}"; do
  rm -f "$build/$name.result" "$build/$name.report"
  if [[ $running -ge $slots ]]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$name" &
  running=$((running + 1))
done
wait || true

results=()
for name in "${names[@]}"; do
  line="$name: FAILED (no result)"
  [[ -s "$build/$name.result" ]] && line="$(cat "$build/$name.result")"
  if [[ "$line" != "$name: OK"* ]]; then
    failed=1
    echo "==== fuzz: $name FAILED ====" >&2
    [[ -s "$build/$name.report" ]] && cat "$build/$name.report" >&2
  fi
  results+=("$line")
done

printf '%s\n' "${results[@]}" >"$build/summary.txt"
for line in "${results[@]}"; do echo "fuzz: $line"; done
exit $failed
