#!/usr/bin/env bash
# Removes from both registry views of the wine prefix an Apache installation that an interrupted
# run of the wine end-to-end cases left behind: a case removes the one it registered when it ends,
# but a case that was killed cannot, and the cases that register none would then find one.
#
#   ClearWineApache.sh <cmake/wine-run.sh>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/usage.sh"
answer_help "$@"
[[ $# -eq 1 && "$1" != -* ]] || refuse_argument "${1:-}" "expected the path of wine-run.sh, not"

for view in /reg:64 /reg:32; do
  said="$(bash "$1" reg delete 'HKLM\SOFTWARE\Apache Group' /f "$view" 2>&1)" ||
    [[ "$said" == *"Unable to find the specified registry key"* ]] || {
    echo "ClearWineApache: reg delete $view: $said" >&2
    exit 1
  }
done
