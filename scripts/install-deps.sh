#!/usr/bin/env bash
# Installs the Debian packages that the builds and tests need, only those not
# yet installed. Safe to run again; quiet when nothing is missing.
#
#   scripts/install-deps.sh            everything the builds and tests need
#   scripts/install-deps.sh --native   only what the native build and its terminal need
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/usage.sh"
answer_help "$@"
[[ $# -le 1 ]] || refuse_argument "$2"
[[ $# -eq 0 || "$1" == --native ]] || refuse_argument "$1"

native_packages=(cmake ninja-build make g++ libncurses-dev)
packages=(
  # native build and tests
  cmake ninja-build make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  # Windows cross build (posix thread model) and running it
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 wine wine64
  # terminal front-end and tests driving programs as a person would
  libncurses-dev tmux xvfb xauth xdotool
  # wine's own fonts, which the dialog's captions are measured in (MS Sans Serif)
  fonts-wine
  # screenshots and window properties of the Windows build's GUI test
  imagemagick x11-utils
  # fuzzing and leak checks with clang
  clang-14 libclang-rt-14-dev
  # message catalogues; the locales that tests run programs in (wine takes its user's locale
  # from LANG only when the system has that locale)
  gettext locales
  # reading application.cfg back as the web application does; serving the installation with
  # the system's Apache through the httpd.conf block that Save writes
  perl apache2-bin
  # used by the scripts themselves
  util-linux
)

[[ "${1:-}" == "--native" ]] && packages=("${native_packages[@]}")

missing=()
for pkg in "${packages[@]}"; do
  status="$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)"
  [[ "$status" == ii* ]] || missing+=("$pkg")
done

# The locales to generate, for the Windows dialog run under wine as a French user, as a German
# one (the program's own messages) and in the code page of each language of tests/languages.
locales=()
for wanted in fr_FR ru_RU de_DE pl_PL el_GR ja_JP ar_EG he_IL; do
  if [[ "${1:-}" != "--native" ]] && ! locale -a 2>/dev/null | grep -qix "$wanted.utf-\\?8"; then
    locales+=("$wanted")
  fi
done

if [[ ${#missing[@]} -eq 0 && ${#locales[@]} -eq 0 ]]; then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "install-deps: need root to install: ${missing[*]} ${locales[*]}" >&2
    exit 1
  fi
fi

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for locale in "${locales[@]}"; do
  echo "install-deps: generating the locale $locale.UTF-8"
  "${sudo[@]}" localedef -i "$locale" -c -f UTF-8 -A /usr/share/locale/locale.alias "$locale.UTF-8"
done
echo "install-deps: done"
