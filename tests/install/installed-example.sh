#!/usr/bin/env bash
# The installed package as another program's developer meets it: the build tree is installed into
# a fresh prefix, examples/hello-languages and examples/settings-dialog are copied out of the source
# tree and built against that prefix alone as projects of their own, and the programs run on the
# scripted front-end: hello-languages's captions checked in English and in German, the settings
# dialog's standard controls driven by tests/controls/settings.script. Natively, every installed header is compiled too, so
# that a header the installed ones include but the installation left out is found.
#
#   tests/install/installed-example.sh <build tree> [native|windows]
#
# The work folder lies outside the source tree and is removed however the test ends (a failure
# shows the log of the step that failed); the build of the example must not name any path of the
# source tree. The native program is left as <build tree>/hello-languages.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
[[ $# -ge 1 && $# -le 2 && "$1" != -* ]] || refuse_argument "${1:-}" "no build tree"
[[ $# -lt 2 || "$2" == native || "$2" == windows ]] || refuse_argument "$2"
tree="$1"
target="${2:-native}"
work="$(mktemp -d "${TMPDIR:-/tmp}/wendrix-example.XXXXXX")"
prefix="$work/prefix"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "installed-example: FAIL: $*" >&2
  exit 1
}
# quietly LOG COMMAND...: runs the command with its output in $work/LOG, shown when it fails.
quietly() {
  local log="$work/$1"
  shift
  "$@" >"$log" 2>&1 || fail "$* failed: $(tail -n 30 "$log")"
}

quietly install.log cmake --install "$tree" --prefix "$prefix"
cp -r "$root/examples/hello-languages" "$work/src"

configure=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0)
program="$work/build/hello-languages"
run=()
if [[ "$target" == windows ]]; then
  configure+=("-DCMAKE_TOOLCHAIN_FILE=$prefix/lib/cmake/Wendrix/mingw-w64.cmake"
    "-DCMAKE_FIND_ROOT_PATH=$prefix")
  program+=.exe
  run=("$root/cmake/wine-run.sh")
else
  configure+=("-DCMAKE_PREFIX_PATH=$prefix")
fi
quietly configure.log cmake -S "$work/src" -B "$work/build" "${configure[@]}"
quietly build.log cmake --build "$work/build"
cp -r "$root/examples/settings-dialog" "$work/settings-src"
quietly settings-configure.log cmake -S "$work/settings-src" -B "$work/settings-build" \
  "${configure[@]}"
quietly settings-build.log cmake --build "$work/settings-build"
if grep -rlF "$root/" "$work/build" "$work/settings-build" --include=CMakeCache.txt \
  --include=build.ninja --include='*.cmake' >"$work/source-paths.txt"; then
  fail "an example's build names the source tree in: $(cat "$work/source-paths.txt")"
fi

if [[ "$target" != windows ]]; then
  (cd "$prefix/include/wendrix" && find . -name '*.h' | sed 's|^\./\(.*\)|#include "\1"|') \
    >"$work/headers.cpp"
  quietly headers.log "${CXX:-c++}" -std=c++20 -fsyntax-only -I"$prefix/include/wendrix" \
    "$work/headers.cpp"
fi

# The language switched from the button and from the script, the captions shown in each, and the
# question of the program's code asked in each.
printf 'dump\nclick btLanguage\ndump\nclick btQuit\nanswer No\nlang English\ndump\nclick btQuit\nanswer Yes\n' \
  >"$work/actions.txt"
set +e
(cd "$work" && LANG=C LC_ALL= LC_MESSAGES= WENDRIX_UI=script:actions.txt \
  "${run[@]}" "$program") >"$work/output.txt" 2>"$work/errors.txt"
code=$?
set -e
[[ $code -eq 0 ]] || fail "the program exited with $code: $(cat "$work/output.txt" "$work/errors.txt")"
english='HelloForm.Caption=Hello, languages
lbName.Caption=Your name:
btLanguage.Caption=Deutsch
btQuit.Caption=Quit
LangControl.Language=English'
german='HelloForm.Caption=Hallo, Sprachen
lbName.Caption=Ihr Name:
btLanguage.Caption=English
btQuit.Caption=Beenden
LangControl.Language=German'
expected="$english
$german
box Bestätigung | hello-languages beenden?
$english
box Confirm | Quit hello-languages?
closed"
shown="$(grep -E '\.Caption=|\.Language=|^closed$|^box ' "$work/output.txt")"
[[ "$shown" == "$expected" ]] ||
  fail "the program showed:
$shown
instead of:
$expected"

# The settings dialog: every standard control driven and shown in German.
settings="$work/settings-build/settings-dialog"
[[ "$target" != windows ]] || settings+=.exe
quietly settings-run.log cmake "-DPROGRAM=$settings" "-DWINE_RUN=${run[*]}" \
  "-DHERE=$root/tests/controls" "-DWORK=$work" -P "$root/tests/controls/ScriptedControls.cmake"

# The README's example runs this program (scripts/check-readme.sh).
[[ "$target" == windows ]] || cp "$program" "$tree/hello-languages"
echo "installed-example: $target: the examples built against the installed package and show both languages"
