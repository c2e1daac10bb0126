#!/usr/bin/env bash
# Lists every skipped test of the given logs with its reason, one "<test>: <reason>" line each.
#
#   scripts/skipped-tests.sh <log>...
#
# A log is Google Test output (ctest keeps it for every test in Testing/Temporary/LastTest.log; a
# test binary run by hand prints it) or ctest's own console output, whose "did not run" list
# catches a skip that no Google Test output explains. A skip that gave no reason is listed with
# "(no reason given)".
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/usage.sh"
answer_help "$@"
[[ $# -gt 0 ]] || refuse_argument "" "no log given"
for log in "$@"; do
  [[ "$log" != -* ]] || refuse_argument "$log"
done

awk '
  function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
  function report(name, why) {
    if (name in seen) return
    seen[name] = 1
    order[++count] = name
    reason[name] = why == "" ? "(no reason given)" : why
  }
  { sub(/\r$/, "") }
  # Google Test: "[ RUN ] t", then "<file>:<line>: Skipped" and the message, then "[ SKIPPED ] t (n ms)".
  /^\[ RUN      \] / { current = $4; collecting = 0; why = ""; next }
  /: Skipped$/ { collecting = 1; next }
  /^\[  SKIPPED \] [^ ]+ \([0-9]+ ms\)$/ { report($4, why); collecting = 0; why = ""; next }
  /^\[       OK \]|^\[  FAILED  \]|^\[----------\]/ { collecting = 0; why = ""; next }
  collecting {
    line = trim($0)
    if (line != "") why = why == "" ? line : why " " line
    next
  }
  # ctest: "The following tests did not run:", then "<n> - <test> (Skipped)" lines.
  /^The following tests did not run:/ { didNotRun = 1; next }
  didNotRun && match($0, /^[ \t]*[0-9]+ - .* \((Skipped|Disabled|Not Run)\)$/) {
    line = trim($0)
    sub(/^[0-9]+ - /, "", line)
    sub(/ \((Skipped|Disabled|Not Run)\)$/, "", line)
    later[line] = 1
    next
  }
  didNotRun { didNotRun = 0 }
  END {
    # A ctest name may carry a prefix before the Google Test name ("wine.Suite.Case" runs
    # "Suite.Case" under wine): its reason is the Google Test one.
    for (name in later) {
      plain = name
      sub(/^[^.]+\./, "", plain)
      if (!(name in seen) && !(plain in seen)) report(name, "")
    }
    for (i = 1; i <= count; ++i) print order[i] ": " reason[order[i]]
  }
' "$@"
