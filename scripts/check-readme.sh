#!/usr/bin/env bash
# Checks that README.md says what is so: every block that shows commands with their output
# ("$ " lines, each followed by what it prints; a line ending in "\" goes on in the next) is run
# and its output compared, and every file and folder of the repository that it names exists.
#
#   scripts/check-readme.sh [<native build tree>]     build/native by default
#
# Each block runs in a folder of its own, the way the README sets the scene: the folder holds
# the program (./WDXConfig) and the example built against the installed package
# (./hello-languages, which the test install.hello_languages leaves in <tree>), build/native/bin/
# holds the program rebuilt with a French translation, as the README's translator makes it (the
# test translations.french_from_the_template builds it in <tree>/translator), tests/languages/po
# the tests' translations, and formtool is on the PATH. The locale and the stand-ins'
# variables are unset. Exits 1 when something differs, naming the README's line.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/usage.sh"
at_most_one_operand "$@"
tree="$(cd "${1:-$root/build/native}" 2>/dev/null && pwd)" ||
  refuse_argument "${1:-build/native}" "no build tree"
readme="$root/README.md"
french="$tree/translator/build/bin/WDXConfig"
example="$tree/hello-languages"
for program in "$tree/bin/WDXConfig" "$tree/bin/formtool" "$french" "$example"; do
  [[ -x "$program" ]] || {
    echo "check-readme: no $program (build the tree; ctest -R 'translations|install' builds" \
      "the French program and the example)" >&2
    exit 1
  }
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "README.md:$1: $2" >&2
  failures=$((failures + 1))
}

# ---- command blocks ------------------------------------------------------------------------
blocks=0
command="" command_line=0 expected=() folder=""
# Runs the command collected so far and compares what it prints with the lines under it.
run_command() {
  [[ -n "$command" ]] || return 0
  local shown
  shown="$(cd "$folder" && env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG -u LANGUAGE \
    -u WENDRIX_REGISTRY -u WENDRIX_METABASE -u WENDRIX_COMPUTERNAME -u WENDRIX_UI \
    PATH="$tree/bin:$PATH" timeout 60 bash -c "$command" 2>&1 | sed 's/\r$//')" || true
  if [[ "$shown" != "$(printf '%s\n' "${expected[@]+"${expected[@]}"}")" ]]; then
    fail "$command_line" "\$ $command"$'\n'"printed:"$'\n'"$shown"
  fi
  command="" expected=()
}
# A fresh folder for a block: the programs, the French one where the translator builds it, and
# the translations of the tests where the source tree has them.
new_folder() {
  blocks=$((blocks + 1))
  folder="$scratch/block-$blocks"
  mkdir -p "$folder/build/native/bin" "$folder/tests/languages"
  cp "$tree/bin/WDXConfig" "$example" "$folder/"
  ln -s "$french" "$folder/build/native/bin/WDXConfig"
  ln -s "$root/tests/languages/po" "$folder/tests/languages/po"
}

number=0 fence=0 block=() block_start=0
while IFS= read -r line || [[ -n "$line" ]]; do
  number=$((number + 1))
  if [[ "$line" =~ ^[[:space:]]*\`\`\` ]]; then
    if [[ $fence -eq 1 ]] && printf '%s\n' "${block[@]+"${block[@]}"}" | grep -q '^\$ '; then
      new_folder
      continuing=0
      for ((i = 0; i < ${#block[@]}; ++i)); do
        text="${block[i]}" part=1
        if [[ $continuing -eq 1 ]]; then
          command+=$'\n'"$text"
        elif [[ "$text" == '$ '* ]]; then
          run_command
          command="${text#\$ }" command_line=$((block_start + i + 1))
        else
          expected+=("$text") part=0
        fi
        continuing=0
        [[ $part -eq 0 || "$text" != *\\ ]] || continuing=1
      done
      run_command
    fi
    fence=$((1 - fence)) block=() block_start=$number
  elif [[ $fence -eq 1 ]]; then
    block+=("$line")
  fi
done <"$readme"

# ---- files and folders ---------------------------------------------------------------------
paths=0
# check_path <line> <path>: a path of the repository must exist. Build output (under build/, or
# a build tree's bin/ and lib/), benchmark names, placeholders and the file:line of a message
# are not paths of the repository; any other name with a slash is, so that a misspelt first
# folder is found too.
check_path() {
  local path="${2%[,.;)]}"
  [[ "$path" == [[:alnum:]._]*/* && "$path" != build/* ]] || return 0
  [[ "$path" != *[:\<\*]* && "$path" != *...* ]] || return 0
  [[ "$path" != bin/* && "$path" != lib/* && "$path" != BM_* ]] || return 0
  paths=$((paths + 1))
  [[ -e "$root/$path" ]] || fail "$1" "names $path, which does not exist"
}
number=0 layout=0 parent=""
while IFS= read -r line || [[ -n "$line" ]]; do
  number=$((number + 1))
  # Backticked names (their first word) and pictures.
  while [[ "$line" =~ \`([^\`]+)\`(.*) ]]; do
    read -r word _ <<<"${BASH_REMATCH[1]}"
    line="${BASH_REMATCH[2]}"
    check_path "$number" "$word"
  done
  if [[ "$line" =~ \]\(([^\)]+)\) ]]; then check_path "$number" "${BASH_REMATCH[1]}"; fi
done <"$readme"
# The Layout section's tree: "name/" at the line's start, under the last top-level one when
# indented by two; deeper lines go on describing the entry above.
while IFS= read -r line; do
  number="${line%%:*}" line="${line#*:}"
  [[ "$line" != '```'* ]] || { layout=$((layout + 1)); continue; }
  [[ $layout -eq 1 && "$line" =~ ^(\ {0,2})([^ ].*)$ ]] || continue
  indent="${BASH_REMATCH[1]}"
  for word in ${BASH_REMATCH[2]}; do
    [[ "$word" == */ ]] || break
    if [[ -z "$indent" ]]; then
      parent="$word"
      check_path "$number" "$word"
    else
      check_path "$number" "$parent$word"
    fi
  done
done < <(grep -n '' "$readme" | sed -n '/^[0-9]*:## Layout$/,/^[0-9]*:## /p')

[[ $failures -eq 0 ]] || exit 1
echo "check-readme: $blocks blocks of commands print what README.md shows; the $paths files and" \
  "folders it names exist"
