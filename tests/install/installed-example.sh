#!/usr/bin/env bash
# The installed package as another program's developer meets it: a build tree is installed into a
# fresh prefix, examples/hello-languages is copied out of the source tree and built against that
# prefix alone, and each program built runs on the scripted front-end, its captions checked in
# English and in German.
#
#   tests/install/installed-example.sh <build tree> [native|windows|layout]
#
# native and windows install <build tree> and build the example three ways: as a CMake project,
# the same with its form and form class in a static library of their own (HELLO_FORM_LIBRARY), and
# without CMake, through pkg-config, running formc and the compiler by hand; they build
# examples/settings-dialog too and drive its standard controls (tests/controls). Natively every
# installed header is compiled too, included as <wendrix/...>, so that a header the installed ones
# include but the installation left out is found. layout configures the sources anew, unoptimised
# and with <build tree>'s compiler and compiler launcher (a compiler cache then serves every run
# after the first), with every folder of GNUInstallDirs away from its default, builds and installs
# what the package holds, and builds the example with CMake and through pkg-config.
#
# The work folder is removed however the test ends (a failure shows the log of the step that
# failed); a CMake build of the example must not name any path of the source tree. The native
# program is left as <build tree>/hello-languages.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
[[ $# -ge 1 && $# -le 2 && "$1" != -* ]] || refuse_argument "${1:-}" "no build tree"
[[ $# -lt 2 || "$2" =~ ^(native|windows|layout)$ ]] || refuse_argument "$2"
tree="$(cd "$1" && pwd)"
mode="${2:-native}"
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
# The value of a variable in the build tree's cache.
cached() {
  sed -n "s/^$1:[A-Z]*=//p" "$tree/CMakeCache.txt"
}

# The compiler of a language (CXX, RC) that CMake found for the build tree.
compiler_of() {
  sed -n "s/^set(CMAKE_$1_COMPILER \"\(.*\)\")$/\1/p" "$tree"/CMakeFiles/*/CMake"$1"Compiler.cmake
}

# The package's folders: the defaults, or for layout ones of its own.
libdir=lib
includedir=include
if [[ "$mode" == layout ]]; then
  libdir=lib64
  includedir=headers
  layout_tree="$work/tree"
  quietly layout-configure.log cmake -S "$root" -B "$layout_tree" -G Ninja -DWDX_TOOLS_ONLY=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
    "-DCMAKE_CXX_COMPILER=$(cached CMAKE_CXX_COMPILER)" \
    "-DCMAKE_CXX_COMPILER_LAUNCHER=$(cached CMAKE_CXX_COMPILER_LAUNCHER)" \
    "-DCMAKE_INSTALL_LIBDIR=$libdir" -DCMAKE_INSTALL_BINDIR=programs \
    "-DCMAKE_INSTALL_INCLUDEDIR=$includedir" -DCMAKE_INSTALL_DATADIR=data
  quietly layout-build.log cmake --build "$layout_tree" --target formc formtool wdx_frontendchoice \
    wdx_embedded
  quietly install.log cmake --install "$layout_tree" --prefix "$prefix"
  for folder in "$libdir/pkgconfig" "$libdir/cmake/Wendrix" programs "$includedir/wendrix" \
    data/wendrix/po; do
    [[ -d "$prefix/$folder" ]] || fail "the package has no $folder: $(cd "$prefix" && find . -maxdepth 3)"
  done
else
  quietly install.log cmake --install "$tree" --prefix "$prefix"
fi
cp -r "$root/examples/hello-languages" "$work/src"

# The language switched from the button and from the script, the captions shown in each, and the
# question of the program's code asked in each.
printf 'dump\nclick btLanguage\ndump\nclick btQuit\nanswer No\nlang English\ndump\nclick btQuit\nanswer Yes\n' \
  >"$work/actions.txt"
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
run=()
exe=""
[[ "$mode" != windows ]] || run=("$root/cmake/wine-run.sh") exe=.exe

# check PROGRAM: runs it with the actions and compares what it shows.
check() {
  local code=0
  (cd "$work" && LANG=C LC_ALL='' LC_MESSAGES='' WENDRIX_UI=script:actions.txt \
    "${run[@]}" "$1") >"$work/output.txt" 2>"$work/errors.txt" || code=$?
  [[ $code -eq 0 ]] || fail "$1 exited with $code: $(cat "$work/output.txt" "$work/errors.txt")"
  local shown
  shown="$(grep -E '\.Caption=|\.Language=|^closed$|^box ' "$work/output.txt")"
  [[ "$shown" == "$expected" ]] || fail "$1 showed:
$shown
instead of:
$expected"
}

# project SOURCE BUILD [OPTION...]: an example configured and built as a CMake project of its own,
# whose build must not name any path of the source tree.
project() {
  local source="$1" build="$2"
  shift 2
  local configure=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 "$@")
  if [[ "$mode" == windows ]]; then
    configure+=("-DCMAKE_TOOLCHAIN_FILE=$prefix/$libdir/cmake/Wendrix/mingw-w64.cmake"
      "-DCMAKE_FIND_ROOT_PATH=$prefix")
  elif [[ "$mode" == layout ]]; then
    # find_package does not search a libdir of the package's own choosing.
    configure+=("-DWendrix_DIR=$prefix/$libdir/cmake/Wendrix")
  else
    configure+=("-DCMAKE_PREFIX_PATH=$prefix")
  fi
  quietly "$(basename "$build")-configure.log" cmake -S "$source" -B "$build" "${configure[@]}"
  quietly "$(basename "$build").log" cmake --build "$build"
  if grep -rlF "$root/" "$build" --include=CMakeCache.txt --include=build.ninja \
    --include='*.cmake' >"$work/source-paths.txt"; then
    fail "the example's build names the source tree in: $(cat "$work/source-paths.txt")"
  fi
}

# cmake_build NAME [OPTION...]: hello-languages as a CMake project of its own, checked.
cmake_build() {
  local build="$work/$1"
  shift
  project "$work/src" "$build" "$@"
  check "$build/hello-languages$exe"
}

# The settings dialog, every standard control driven by tests/controls/settings.script and shown
# in German.
settings_build() {
  cp -r "$root/examples/settings-dialog" "$work/settings-src"
  project "$work/settings-src" "$work/settings-build"
  quietly settings-run.log cmake "-DPROGRAM=$work/settings-build/settings-dialog$exe" \
    "-DWINE_RUN=${run[*]}" "-DHERE=$root/tests/controls" "-DWORK=$work" \
    -P "$root/tests/controls/ScriptedControls.cmake"
}

# The example built without CMake: formc compiles the form, the compiler and linker take the
# flags pkg-config gives.
pkgconfig_build() {
  local pc=(env "PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig" PKG_CONFIG_LIBDIR=/nonexistent pkg-config)
  local out="$work/by-hand"
  local compiler="${CXX:-c++}" form=("$out/form.cpp") link=()
  mkdir -p "$out"
  quietly formc.log "$("${pc[@]}" --variable=formc wendrix)" "$work/src/HelloForm.frm" "$out/form" \
    "$work/src/po/de.po" --texts "$work/src/HelloForm.cpp" --classes "$work/src/HelloForm.h" \
    --library "$("${pc[@]}" --variable=library_template wendrix)"
  if [[ "$mode" == windows ]]; then
    # The compiler the libraries were built with (its threads are theirs).
    compiler="$(compiler_of CXX)"
    quietly windres.log "$(compiler_of RC)" "$out/form.rc" -O coff -o "$out/form.res.o"
    form=("$out/form.res.o")
    link=(-static -static-libgcc -static-libstdc++)
  fi
  # shellcheck disable=SC2046 # the flags are words
  quietly by-hand.log "$compiler" -std=c++20 $("${pc[@]}" --cflags wendrix) "$work/src/main.cpp" \
    "$work/src/HelloForm.cpp" "${form[@]}" -o "$out/hello-languages$exe" "${link[@]}" \
    $("${pc[@]}" --libs wendrix)
  check "$out/hello-languages$exe"
}

cmake_build build
if [[ "$mode" != layout ]]; then
  cmake_build build-library -DHELLO_FORM_LIBRARY=ON
  settings_build
fi
pkgconfig_build

if [[ "$mode" == native ]]; then
  (cd "$prefix/$includedir" && find wendrix -name '*.h' | sed 's|^\(.*\)|#include <\1>|') \
    >"$work/headers.cpp"
  quietly headers.log "${CXX:-c++}" -std=c++20 -fsyntax-only -I"$prefix/$includedir" \
    "$work/headers.cpp"
  # The README's example runs this program (scripts/check-readme.sh).
  cp "$work/build/hello-languages" "$tree/hello-languages"
fi
ways="with CMake, its form in a static library, through pkg-config; the settings dialog too"
[[ "$mode" != layout ]] || ways="with CMake, through pkg-config, every folder its own"
echo "installed-example: $mode: the example built against the installed package ($ways) shows" \
  "both languages"
