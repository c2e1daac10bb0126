#!/usr/bin/env bash
# A translator's path from the template to a rebuilt program, on a copy of the source (the tree
# itself is never touched): the build writes the template (target pot), msginit starts
# setup/po/fr.po from it, a few texts are translated, and the build gives the program in French.
# On the way it checks that a changed PO file is built again, never left stale, and that one the
# build cannot use fails the build with "<file.po>:<line>: <what>". Then the loop goes on as the
# README gives it: two English texts of the form change, update-po keeps each message's own
# translation as fuzzy, the build takes the files as they are (fuzzy shows English), a review
# makes the new translation reach the dialog; a new language starts from the template; and a file
# saved by an editor with a byte order mark and CR LF line ends builds and keeps both through
# update-po.
#
#   tests/translations/translate-copy.sh <work folder> [<target>...] [-- <cmake arguments>...]
#
# builds WDXConfig (and the other targets named) in <work folder>/build with the cmake arguments
# given (a toolchain file, say); the folder is made afresh (only an empty one or one that an
# earlier run made). The French texts:
#   Owner.Caption      ... finalisation de l'installation
#   btOk.Caption       Enregistrer
#   btCancel.Caption   Annuler
#   GroupBox3.Caption   Paramètres de messagerie
#   Label1.Caption     Serveur SMTP :
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
[[ $# -gt 0 && "$1" != -* ]] || refuse_argument "${1:-}" "no work folder"
work="$1"
shift
# The work folder is deleted first: only an empty one, or one that an earlier run made.
if [[ -d "$work" && -n "$(ls -A "$work")" && ! -d "$work/src/setup" ]]; then
  refuse_argument "$work" "not deleting a folder that an earlier run did not make"
fi
targets=(WDXConfig)
while [[ $# -gt 0 && "$1" != -- ]]; do
  [[ "$1" != -* ]] || refuse_argument "$1"
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

# dump_in LOCALE: the scripted dump when the user's language is that of LOCALE.
dump_in() {
  : >"$work/iis.ini"
  printf 'dump\n' | LANG="$1" LC_ALL= LC_MESSAGES= WENDRIX_UI=script:- WENDRIX_COMPUTERNAME=WEBHOST \
    WENDRIX_METABASE="$work/iis.ini" "$(program)" 0 2>/dev/null || true
}
# message CONTEXT FILE: the lines of the message of that context, comments included.
message() {
  awk -v context="msgctxt \"$1\"" 'BEGIN { RS = ""; FS = "\n" } index($0, context) { print }' "$2"
}
if [[ "$(program)" != *.exe ]]; then
  step "two texts of the form change; update-po keeps each message's own translation, fuzzy"
  form="$src/setup/WendrixSetup.frm"
  cp "$form" "$work/form.frm.good"
  cp "$po" "$work/fr.po.good"
  sed -i "s/Caption = 'Save'\$/Caption = 'Save settings'/; s/Caption = 'SMTP Server:'\$/Caption = 'SMTP server name:'/" \
    "$form"
  build WDXConfig && fail "the build took a PO file whose msgid is no longer the form's text"
  grep -qF "is not the form's text \"Save settings\" (update-po merges" "$work/build.log" ||
    fail "the build did not name update-po: $(tail -n 5 "$work/build.log")"
  build update-po || fail "update-po: $(tail -n 20 "$work/build.log")"
  for pair in 'btOk.Caption|Save|Enregistrer' 'Label1.Caption|SMTP Server:|Serveur SMTP :'; do
    IFS='|' read -r context old text <<<"$pair"
    got="$(message "$context" "$po")"
    grep -qx '#, fuzzy' <<<"$got" && grep -qxF "#| msgid \"$old\"" <<<"$got" &&
      grep -qxF "msgstr \"$text\"" <<<"$got" || fail "update-po gave $context: $got"
  done
  build WDXConfig || fail "the build after update-po: $(tail -n 20 "$work/build.log")"
  french_dump | grep -qx 'btOk.Caption=Save settings' ||
    fail "a fuzzy message did not show the English text: $(french_dump | grep btOk)"

  step "the review: the new translation reaches the dialog"
  sed -i '/^#, fuzzy$/{N;/\n#| msgid "Save"$/d}' "$po"
  translate "btOk.Caption" "Enregistrer les paramètres"
  build WDXConfig || fail "the build after the review: $(tail -n 20 "$work/build.log")"
  french_dump | grep -qx 'btOk.Caption=Enregistrer les paramètres' ||
    fail "the reviewed translation is not in the dialog: $(french_dump | grep btOk)"

  step "a new language from the template: Ukrainian"
  msginit --no-translator -l uk -i "$src/setup/po/WendrixSetup.pot" -o "$src/setup/po/uk.po" \
    2>/dev/null || fail "msginit for Ukrainian"
  po="$src/setup/po/uk.po" translate "btOk.Caption" "Зберегти"
  build WDXConfig || fail "the build with uk.po: $(tail -n 20 "$work/build.log")"
  dump_in uk_UA.UTF-8 | grep -qx 'btOk.Caption=Зберегти' ||
    fail "the program is not in Ukrainian: $(dump_in uk_UA.UTF-8 | grep -E 'btOk|Language')"

  step "a file with a byte order mark and CR LF line ends, as Windows editors save it"
  it="$src/setup/po/it.po"
  { printf '\xEF\xBB\xBF'; sed 's/"Language: \\n"/"Language: it\\n"/; s/$/\r/' \
    "$src/setup/po/WendrixSetup.pot"; } >"$it"
  sed -i '/^msgctxt "btCancel.Caption"\r$/,/^msgstr /s/^msgstr .*/msgstr "Annulla"\r/' "$it"
  build WDXConfig || fail "the build with it.po: $(tail -n 20 "$work/build.log")"
  dump_in it_IT.UTF-8 | grep -qx 'btCancel.Caption=Annulla' ||
    fail "the program is not in Italian: $(dump_in it_IT.UTF-8 | grep -E 'btCancel|Language')"
  build update-po || fail "update-po with it.po: $(tail -n 20 "$work/build.log")"
  [[ "$(head -c 3 "$it" | od -An -tx1 | tr -d ' ')" == efbbbf ]] || fail "update-po lost the byte order mark"
  [[ "$(grep -c $'\r$' "$it")" == "$(wc -l <"$it")" ]] || fail "update-po changed the line ends"

  # The program other tests look at is the French one of the first steps.
  cp "$work/form.frm.good" "$form"
  rm "$src/setup/po/uk.po" "$it"
  build update-po || fail "update-po with the form as it was: $(tail -n 20 "$work/build.log")"
  cp "$work/fr.po.good" "$src/setup/po/fr.po"
  build WDXConfig || fail "the build of the first steps again: $(tail -n 20 "$work/build.log")"
  french_dump | grep -qx 'btOk.Caption=Enregistrer' || fail "the French program is not back"
fi

step "done: $(program)"
