# Sourced by scripts/test.sh (which sets $root): the run's summary, where every stage that ran
# has exactly one verdict line, "<stage>: OK (<times>)" or "<stage>: FAILED ... (<times>)",
# followed by its details, whatever the verdict: the skipped tests of a test stage, the result
# of each fuzz target, the failed check of the GUI stage.

summary=()

# Adds a stage's verdict and its detail lines to the summary.
#   record_stage <stage> <verdict> [detail...]
record_stage() {
  local stage="$1" verdict="$2" detail
  shift 2
  summary+=("$stage: $verdict")
  for detail in "$@"; do summary+=("  $detail"); done
}

print_summary() {
  local line
  echo
  echo "==== summary ===="
  for line in "${summary[@]}"; do echo "  $line"; done
}

# The verdict of a test stage from ctest's exit status and the stage's logs (ctest's console
# output and its LastTest.log): every skipped test is listed, and a skip that gave no reason
# fails the stage as a failed test does. Returns 1 when the stage failed.
#   record_test_stage <stage> <ctest status> <times> <log>...
record_test_stage() {
  local stage="$1" status="$2" times="$3"
  shift 3
  local logs=() log skipped="" unexplained=0 details=() reasons=()
  for log in "$@"; do [[ -f "$log" ]] && logs+=("$log"); done
  [[ ${#logs[@]} -eq 0 ]] || skipped="$("$root/scripts/skipped-tests.sh" "${logs[@]}")"
  if [[ -n "$skipped" ]]; then
    while IFS= read -r log; do details+=("skipped $log"); done <<<"$skipped"
    unexplained="$(grep -c ': (no reason given)$' <<<"$skipped" || true)"
  fi
  [[ "$status" -eq 0 ]] || reasons+=("tests failed")
  [[ "$unexplained" -eq 0 ]] || reasons+=("$unexplained skipped test(s) gave no reason")
  if [[ ${#reasons[@]} -eq 0 ]]; then
    record_stage "$stage" "OK ($times)" "${details[@]}"
    return 0
  fi
  local joined
  joined="$(printf '%s; ' "${reasons[@]}")"
  record_stage "$stage" "FAILED: ${joined%; } ($times)" "${details[@]}"
  return 1
}
