#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a while from a
# scratch copy of its seed corpus (fuzz/corpus/<name>/ is never changed).
#
#   scripts/fuzz.sh [seconds]     seconds per target, 60 by default
#
# Exits non-zero on any crash, leak, timeout or sanitizer report; the input
# that caused it is left in build/fuzz/ as <name>-crash-*, -leak-*, -timeout-*
# or -oom-*, and the run's log as build/fuzz/<name>.log. To replay one:
#   build/fuzz/bin/<name>_fuzz build/fuzz/<name>-crash-...
set -euo pipefail
shopt -s nullglob

seconds="${1:-60}"
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || {
  echo "usage: scripts/fuzz.sh [seconds]" >&2
  exit 2
}

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
if ! CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" "${generator[@]}" -Wno-dev \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWDX_FUZZ=ON >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  echo "fuzz: FAILED at configure" >&2
  exit 1
fi
if ! cmake --build "$build" --target fuzzers -j2 >"$build/build.log" 2>&1; then
  tail -n 60 "$build/build.log" >&2
  echo "fuzz: FAILED at build (log: build/fuzz/build.log)" >&2
  exit 1
fi

# --- run --------------------------------------------------------------------
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0
results=()
for seeds in "$root"/fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  binary="$build/bin/${name}_fuzz"
  if [[ ! -x "$binary" ]]; then
    echo "fuzz: no target ${name}_fuzz for fuzz/corpus/$name" >&2
    failed=1
    results+=("$name: FAILED (no target)")
    continue
  fi
  corpus="$build/corpus/$name"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp -R "$seeds". "$corpus/"
  rm -f "$build/$name"-{crash,leak,timeout,oom,slow-unit}-*

  echo "==== fuzz: $name (${seconds}s) ===="
  log="$build/$name.log"
  status=0
  "$binary" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/$name-" \
    >"$log" 2>&1 || status=$?

  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  artifacts=("$build/$name"-{crash,leak,timeout,oom}-*)
  if [[ $status -ne 0 || ${#artifacts[@]} -gt 0 ]] ||
    grep -qE '^(==[0-9]+==ERROR|SUMMARY: )|runtime error:' "$log"; then
    failed=1
    grep -E 'ERROR|SUMMARY|runtime error|form_reader_fuzz:|Test unit written' "$log" >&2 || tail -n 30 "$log" >&2
    results+=("$name: FAILED (exit $status; log build/fuzz/$name.log)")
  else
    results+=("$name: OK (${runs:-?} runs, ${rate:-?} exec/s, ${seconds}s)")
  fi
done

printf '%s\n' "${results[@]}" >"$build/summary.txt"
for line in "${results[@]}"; do echo "fuzz: $line"; done
exit $failed
