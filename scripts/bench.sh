#!/usr/bin/env bash
# Builds the native build's benchmark of the language control and runs it: loading, one
# language switch and destroying a form of 1,000, 10,000 and 100,000 translated labels. The
# last lines give, for each step, the ratio of the 100,000-label time to the 10,000-label time
# (linear growth: about 10); the exit status is 2 when one of them exceeds 12. Then the memory
# of a translated label (label_memory at 10,000 and 100,000 labels): what the loaded form keeps
# on the heap, and how much the process's peak resident memory grows per label between the two.
#
#   scripts/bench.sh                    the whole run (well under two minutes)
#   scripts/bench.sh --benchmark_filter=Switch   --benchmark_* arguments go to the benchmark
#
# Each benchmark and size runs BENCH_REPETITIONS times (default 3), each time for a fixed number
# of iterations; the ratios use the medians.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
for argument in "$@"; do
  [[ "$argument" == --benchmark_* ]] || refuse_argument "$argument"
done
source "$root/scripts/lib/build-tree.sh"

# A tree of another generator is configured afresh; one configured before the benchmark existed
# does not know its target yet.
prepare_build_tree native
if ! grep -qs langcontrol_bench build/native/build.ninja; then
  cmake --preset native
fi
cmake --build build/native -j2 --target langcontrol_bench label_memory

status=0
build/native/bin/langcontrol_bench \
  --benchmark_repetitions="${BENCH_REPETITIONS:-3}" \
  --benchmark_report_aggregates_only=true \
  "$@" || status=$?

# The peak resident memory of each run, in KB, is the last field of its last line.
peak() { build/native/bin/label_memory "$1" | tee /dev/stderr | awk 'END { print $(NF - 1) }'; }
small=$(peak 10000)
large=$(peak 100000)
awk -v small="$small" -v large="$large" 'BEGIN {
  printf "peak resident memory per label, 10,000 to 100,000 labels: %.1f B\n",
    (large - small) * 1024 / 90000 }'
exit "$status"
