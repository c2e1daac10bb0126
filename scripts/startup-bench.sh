#!/usr/bin/env bash
# Measures how soon the setup dialog is ready, against the least C++ program (one that prints a
# std::string, linked as programs are by default): the native WDXConfig loads its embedded form
# and prints it through the scripted front-end (an answer file holding only `dump`) in a demo
# installation in a temporary folder.
#
#   scripts/startup-bench.sh            callgrind counts, then 101 paired runs
#   scripts/startup-bench.sh <pairs>    as many paired runs as given
#
# It prints, from callgrind (valgrind), the instructions of the whole run of each program and of
# reading the form (ReadFormStream, all it calls included) per byte of the form stream, then of
# a read after the first (form_read_cost); then the medians of the processor time of paired runs
# and their ratio (startup_pairs).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
[[ $# -le 1 ]] || refuse_argument "$2"
[[ $# -eq 0 || "$1" =~ ^[1-9][0-9]*$ ]] || refuse_argument "$1" "not a number of runs"
pairs="${1:-101}"
command -v valgrind >/dev/null || { echo "startup-bench.sh: valgrind is needed (scripts/install-deps.sh)" >&2; exit 1; }
source "$root/scripts/lib/build-tree.sh"

prepare_build_tree native
if ! grep -qs startup_pairs build/native/build.ninja; then
  cmake --preset native
fi
cmake --build build/native -j2 --target WDXConfig formtool startup_bare startup_pairs form_read_cost
bin="$root/build/native/bin"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/www/wendrix/cgi-bin"
printf 'http_root\r\n' >"$work/www/wendrix/cgi-bin/application.cfg"
: >"$work/iis.ini"
printf 'dump\n' >"$work/answers.txt"
"$bin/formtool" shipped -o "$work/form.bin"
form_bytes="$(stat -c %s "$work/form.bin")"
cd "$work"
export WENDRIX_METABASE=iis.ini WENDRIX_UI=script:answers.txt

# Instructions of one run as callgrind counts them, optionally only inside one function.
count() {
  local out="$work/callgrind.out"
  valgrind --tool=callgrind --callgrind-out-file="$out" "$@" >/dev/null 2>"$work/valgrind.log" || true
  sed -n 's/^summary: //p; s/^totals: //p' "$out" | head -1
}
bare_total="$(count "$bin/startup_bare")"
dialog_total="$(count "$bin/WDXConfig" 0)"
read_total="$(count --toggle-collect='wdx::ReadFormStream(*' "$bin/WDXConfig" 0)"
echo "instructions: yardstick $bare_total, dialog $dialog_total (ratio $(awk -v a="$dialog_total" -v b="$bare_total" 'BEGIN{printf "%.2f", a/b}'))"
echo "reading the form: $read_total instructions for $form_bytes bytes, $(awk -v a="$read_total" -v b="$form_bytes" 'BEGIN{printf "%.1f", a/b}') a byte"
# A read after the first, when the heap and the classes' tables are warm: the difference between
# eleven reads and one, over ten.
one_read="$(count --toggle-collect='wdx::TReader::ReadRootComponent*' "$bin/form_read_cost" 1)"
eleven_reads="$(count --toggle-collect='wdx::TReader::ReadRootComponent*' "$bin/form_read_cost" 11)"
echo "reading the form again: $(((eleven_reads - one_read) / 10)) instructions a read, $(awk -v a="$one_read" -v b="$eleven_reads" -v n="$form_bytes" 'BEGIN{printf "%.1f", (b-a)/10/n}') a byte"
"$bin/startup_pairs" "$pairs" "$bin/startup_bare" "$bin/WDXConfig" 0
