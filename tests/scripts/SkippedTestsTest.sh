#!/usr/bin/env bash
# scripts/skipped-tests.sh against logs shaped as ctest and Google Test write them: every
# skipped test is listed once with its reason, and a skip without one is called so; and the
# verdict scripts/test.sh gives a test stage from them: one line, failed by that skip or by a
# failed test, with the skipped tests listed under it either way.
set -euo pipefail

script="$1/scripts/skipped-tests.sh"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# ctest's LastTest.log: one test per section, each with the Google Test output of its run; a
# reason over two lines; a skip without a message; a pass and a failure around them.
cat >"$scratch/LastTest.log" <<'LOG'
1/4 Test: Files.ReadOnly
Output:
----------------------------------------------------------
[ RUN      ] Files.ReadOnly
../../tests/e2e/FilesTest.cpp:189: Skipped
this user may write
into read-only folders

[  SKIPPED ] Files.ReadOnly (5 ms)
[  SKIPPED ] 1 test, listed below:
[  SKIPPED ] Files.ReadOnly
<end of output>
2/4 Test: Tools.Quiet
Output:
[ RUN      ] Tools.Quiet
../../tests/tools/PoTest.cpp:12: Skipped

[  SKIPPED ] Tools.Quiet (0 ms)
3/4 Test: Tools.Passes
[ RUN      ] Tools.Passes
[       OK ] Tools.Passes (1 ms)
4/4 Test: Tools.Fails
[ RUN      ] Tools.Fails
../../tests/tools/PoTest.cpp:40: Failure
Skipped
[  FAILED  ] Tools.Fails (1 ms)
LOG

# A Windows test binary's own output under wine: CR LF line ends.
printf '[ RUN      ] Wine.Native\r\nE2eHarness.h:18: Skipped\r\nunder wine: no stand-in\r\n[  SKIPPED ] Wine.Native (0 ms)\r\n' \
  >"$scratch/wine.log"

# ctest's console: its list of tests that did not run, one of them unexplained by any output and
# one that runs a Google Test case under wine by a prefixed name.
cat >"$scratch/console.log" <<'LOG'
100% tests passed, 0 tests failed out of 4

The following tests did not run:
	  1 - Files.ReadOnly (Skipped)
	  7 - Infra.Probe (Skipped)
	  9 - wine.Wine.Native (Skipped)
Errors while running CTest
LOG

expected="Files.ReadOnly: this user may write into read-only folders
Tools.Quiet: (no reason given)
Wine.Native: under wine: no stand-in
Infra.Probe: (no reason given)"
check() { [[ "$1" == "$2" ]] || { printf 'expected:\n%s\nactual:\n%s\n' "$2" "$1" >&2; exit 1; }; }
check "$("$script" "$scratch/console.log" "$scratch/LastTest.log" "$scratch/wine.log")" "$expected"
"$script" >/dev/null 2>&1 && { echo "no arguments must be a usage error" >&2; exit 1; }

root="$1"
source "$root/scripts/lib/stage-summary.sh"
verdict() { summary=(); record_test_stage "$@" || summary+=("(failed)"); printf '%s\n' "${summary[@]}"; }
logs=("$scratch/console.log" "$scratch/missing.log" "$scratch/LastTest.log" "$scratch/wine.log")
listed="$(sed 's/^/  skipped /' <<<"$expected")"$'\n(failed)'
check "$(verdict native 0 "test 3s" "${logs[@]}")" \
  "native: FAILED: 2 skipped test(s) gave no reason (test 3s)"$'\n'"$listed"
check "$(verdict native 8 "test 3s" "${logs[@]}")" \
  "native: FAILED: tests failed; 2 skipped test(s) gave no reason (test 3s)"$'\n'"$listed"
check "$(verdict windows 0 "test 1s" "$scratch/wine.log")" \
  "windows: OK (test 1s)"$'\n'"  skipped Wine.Native: under wine: no stand-in"
echo "skipped-tests and stage verdicts: OK"
