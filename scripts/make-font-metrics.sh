#!/usr/bin/env bash
# Measures the Windows dialog's fonts under wine and writes translations/DialogFontMetrics.inc, the
# table `formtool fit` measures Windows captions with (tests/win32gui/MeasureFonts.cpp says what it
# holds). The Windows build's test font_metrics fails when the table is no longer what wine's fonts
# measure; run this then, and commit the table.
#
#   scripts/make-font-metrics.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
[[ $# -eq 0 ]] || refuse_argument "$1"
source "$root/scripts/lib/build-tree.sh"

"$root/scripts/install-deps.sh"
prepare_build_tree windows
[[ -f build/windows/CMakeCache.txt ]] || cmake --preset windows -Wno-dev
cmake --build build/windows -j2 --target measure_fonts
table="$root/translations/DialogFontMetrics.inc"
bash "$root/cmake/wine-run.sh" build/windows/bin/measure_fonts.exe >"$table.new"
mv "$table.new" "$table"
echo "make-font-metrics: wrote $table"
