# shellcheck shell=bash
# Sourced by the scripts before they do anything: a script's usage is the comment block at its
# top, after the "#!" line. `--help` (or `-h`) prints it on standard output and exits 0; an
# argument the script does not know prints it on standard error and exits 2, so that a typo
# never starts a run that deletes or rebuilds anything.

# Prints the calling script's usage.
script_usage() {
  sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0"
}

# Prints the usage and exits 0 when --help or -h is among the arguments.
answer_help() {
  local argument
  for argument in "$@"; do
    if [[ "$argument" == --help || "$argument" == -h ]]; then
      script_usage
      exit 0
    fi
  done
}

# Refuses an argument: what was wrong and the usage on standard error, exit 2.
#   refuse_argument <argument> [<why>]
refuse_argument() {
  {
    echo "$(basename "$0"): ${2:-unknown argument}${1:+ '$1'}"
    echo
    script_usage
  } >&2
  exit 2
}

# The arguments of a script that takes at most one, which is no option: answers --help and
# refuses anything else.
at_most_one_operand() {
  answer_help "$@"
  [[ $# -le 1 ]] || refuse_argument "$2"
  [[ "${1:-}" != -* ]] || refuse_argument "$1"
}
