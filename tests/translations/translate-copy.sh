#!/usr/bin/env bash
# A translator's path from the template to a rebuilt program, on a copy of the source (the tree
# itself is never touched): the build writes the template (target pot), msginit starts
# setup/po/fr.po from it, a few texts are translated, and the build gives the program in French.
# On the way it checks that a changed PO file is built again, never left stale, and that one the
# build cannot use fails the build with "<file.po>:<line>: <what>".
#
#   tests/translations/translate-copy.sh <work folder> [<target>...] [-- <cmake arguments>...]
#
# builds WDXConfig (and the other targets named) in <work folder>/build with the cmake arguments
# given (a toolchain file, say); the folder is made afresh. The French texts:
#   Owner.Caption      ... finalisation de l'installation
#   btOk.Caption       Enregistrer
#   btCancel.Caption   Annuler
#   GroupBox3.Caption   Paramètres de messagerie
#   Label1.Caption     Serveur SMTP :
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$1"
shift
targets=(WDXConfig)
while [[ $# -gt 0 && "$1" != -- ]]; do
  targets+=("$1")
  shift
done
[[ $# -gt 0 ]] && shift
src="$work/src"
build="$work/build"
po="$src/setup/po/fr.po"

fail() {
  echo "translate-copy: FAIL: $*" >&2
  exit 1
}
step() {
  echo "translate-copy: $*"
}
# build TARGET...: builds quietly; the build's output in $work/build.log.
build() {
  cmake --build "$build" -j2 --target "$@" >"$work/build.log" 2>&1
}
# translate CONTEXT TEXT: the msgstr of the message of that context in fr.po.
translate() {
  sed -i "/^msgctxt \"$1\"\$/,/^msgstr /s/^msgstr .*/msgstr \"$2\"/" "$po"
  grep -q "^msgstr \"$2\"\$" "$po" || fail "no message $1 in $po"
}
# program: the built program, for the build's platform.
program() {
  if [[ -f "$build/bin/WDXConfig.exe" ]]; then echo "$build/bin/WDXConfig.exe"; else echo "$build/bin/WDXConfig"; fi
}
# french_dump: what the scripted front-end's dump shows when the user's language is French.
french_dump() {
  local exe
  exe="$(program)"
  if [[ "$exe" == *.exe ]]; then
    printf 'dump\n' | LANG=fr_FR.UTF-8 LC_ALL= LC_MESSAGES= WENDRIX_UI=script:- \
      "$root/cmake/wine-run.sh" "$exe" 0 2>/dev/null || true
  else
    : >"$work/iis.ini"  # the IIS stand-in, without IIS
    printf 'dump\n' | LANG=fr_FR.UTF-8 LC_ALL= LC_MESSAGES= WENDRIX_UI=script:- \
      WENDRIX_COMPUTERNAME=WEBHOST WENDRIX_METABASE="$work/iis.ini" "$exe" 0 2>/dev/null || true
  fi
}

for tool in msginit cmake; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/install-deps.sh)"
done

step "copying the source to $src"
rm -rf "$work"
mkdir -p "$src"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$src" -xf -

step "configuring $build"
# Unoptimised and without debug information: the build's time is the test's.
cmake -S "$src" -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
  -DWDX_BENCHMARKS=OFF "$@" >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log" >&2
  fail "configuring the copy"
}

step "the template (target pot), then fr.po with msginit"
build pot || fail "building the template: $(tail -n 20 "$work/build.log")"
msginit --no-translator -l fr_FR.UTF-8 -i "$src/setup/po/WendrixSetup.pot" -o "$po" 2>/dev/null ||
  fail "msginit"
translate "Owner.Caption" "... finalisation de l'installation"
translate "btOk.Caption" "Enregistrer"
translate "btCancel.Caption" "Abandonner"
translate "GroupBox3.Caption" " Paramètres de messagerie "
translate "Label1.Caption" "Serveur SMTP :"

step "building ${targets[*]}"
build "${targets[@]}" || fail "the build: $(tail -n 20 "$work/build.log")"
french_dump | grep -qx 'btOk.Caption=Enregistrer' || fail "the program is not in French: $(french_dump)"

step "a changed translation is built again"
translate "btCancel.Caption" "Annuler"
build WDXConfig || fail "the build after the change: $(tail -n 20 "$work/build.log")"
french_dump | grep -qx 'btCancel.Caption=Annuler' ||
  fail "the program still shows the old translation: $(french_dump | grep btCancel)"

step "a PO file the build cannot use fails the build"
cp "$po" "$work/fr.po.good"
line=$(($(wc -l <"$po") + 2))
printf '\nmsgctxt "btFoo.Caption"\nmsgid "Foo"\nmsgstr "Truc"\n' >>"$po"
build WDXConfig && fail "the build took a PO file with an unknown context"
grep -qF "$po:$line: unknown context 'btFoo.Caption'" "$work/build.log" ||
  fail "the build did not say where and why: $(tail -n 20 "$work/build.log")"
cp "$work/fr.po.good" "$po"
build WDXConfig || fail "the build after the repair: $(tail -n 20 "$work/build.log")"

step "done: $(program)"
