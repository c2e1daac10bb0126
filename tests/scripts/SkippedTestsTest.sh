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
actual="$("$script" "$scratch/console.log" "$scratch/LastTest.log" "$scratch/wine.log")"
if [[ "$actual" != "$expected" ]]; then
  printf 'expected:\n%s\nactual:\n%s\n' "$expected" "$actual" >&2
  exit 1
fi
"$script" >/dev/null 2>&1 && { echo "no arguments must be a usage error" >&2; exit 1; }

root="$1"
source "$root/scripts/lib/stage-summary.sh"
listed="$(sed 's/^/  skipped /' <<<"$expected")"
for status in 0 8; do
  summary=()
  record_test_stage native "$status" "test 3s" "$scratch/console.log" "$scratch/missing.log" \
    "$scratch/LastTest.log" "$scratch/wine.log" && { echo "stage $status passed" >&2; exit 1; }
  reasons="2 skipped test(s) gave no reason"
  [[ $status -eq 0 ]] || reasons="tests failed; $reasons"
  actual="$(printf '%s\n' "${summary[@]}")"
  if [[ "$actual" != "native: FAILED: $reasons (test 3s)"$'\n'"$listed" ]]; then
    printf 'ctest status %s gave:\n%s\n' "$status" "$actual" >&2
    exit 1
  fi
done
summary=()
record_test_stage windows 0 "test 1s" "$scratch/wine.log" || { echo "explained skip failed" >&2; exit 1; }
[[ "${summary[*]}" == "windows: OK (test 1s)   skipped Wine.Native: under wine: no stand-in" ]] ||
  { echo "unexpected: ${summary[*]}" >&2; exit 1; }
echo "skipped-tests and stage verdicts: OK"
