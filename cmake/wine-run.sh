#!/usr/bin/env bash
# Runs a Windows program under wine, headless, and exits with its exit code.
#
#   cmake/wine-run.sh program.exe [args...]
#
# This is the emulator of the Windows build: ctest runs every test binary
# through it. The wine prefix is created once per user, by default in
# ${XDG_CACHE_HOME:-~/.cache}/wendrix/wine-prefix (WDX_WINEPREFIX overrides),
# and shared by every build tree. Creation is serialised with a lock and done
# in a scratch folder that is renamed into place only when complete, so an
# interrupted first run never leaves a half-made prefix behind.
set -euo pipefail

if [[ $# -lt 1 ]]; then
  echo "usage: $0 program.exe [args...]" >&2
  exit 125
fi

if ! command -v wine >/dev/null 2>&1; then
  echo "wine-run: wine is not installed (run scripts/install-deps.sh)" >&2
  exit 125
fi

cache_root="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix"
export WINEPREFIX="${WDX_WINEPREFIX:-$cache_root/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer prompts; no desktop menu entries; no crash
# debugger waiting for input: a crashing program just ends with a failure. The caller's own
# overrides come last and win (activeds= runs a program without the directory-service library).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

wineserver_bin="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

ensure_prefix() {
  [[ -f "$WINEPREFIX/.wdx-ready" ]] && return 0

  local parent lock
  parent="$(dirname "$WINEPREFIX")"
  mkdir -p "$parent"
  lock="$WINEPREFIX.lock"
  exec 9>"$lock"
  flock 9
  if [[ ! -f "$WINEPREFIX/.wdx-ready" && -f "$WINEPREFIX/system.reg" ]]; then
    # A prefix made elsewhere (WDX_WINEPREFIX pointing at it): use it as it is.
    touch "$WINEPREFIX/.wdx-ready"
  fi
  if [[ ! -f "$WINEPREFIX/.wdx-ready" ]]; then
    local scratch
    scratch="$(mktemp -d "$WINEPREFIX.new.XXXXXX")"
    echo "wine-run: creating wine prefix $WINEPREFIX (once)" >&2
    if ! WINEPREFIX="$scratch" wine wineboot.exe -i >/dev/null 2>&1 \
        || ! WINEPREFIX="$scratch" "$wineserver_bin" -w; then
      WINEPREFIX="$scratch" "$wineserver_bin" -k >/dev/null 2>&1 || true
      rm -rf "$scratch"
      echo "wine-run: could not create the wine prefix" >&2
      exit 125
    fi
    touch "$scratch/.wdx-ready"
    rm -rf "$WINEPREFIX"
    mv "$scratch" "$WINEPREFIX"
  fi
  flock -u 9
  exec 9>&-
}

# Wine's own fonts (Debian's fonts-wine: MS Sans Serif, Tahoma, ...) lie in its data folder,
# where this wine does not look for them; without them another face stands in and captions no
# longer fit their controls. They are linked into the prefix's font folder, where wine looks
# first. A prefix made before the fonts were installed gets them on its next run.
ensure_fonts() {
  local fonts=/usr/share/wine/fonts target="$WINEPREFIX/drive_c/windows/Fonts" font
  [[ -d "$fonts" && -d "$target" && ! -f "$WINEPREFIX/.wdx-fonts" ]] || return 0
  for font in "$fonts"/*; do
    [[ -e "$target/${font##*/}" ]] || ln -s "$font" "$target/" 2>/dev/null || true
  done
  touch "$WINEPREFIX/.wdx-fonts"
}

# Windows need a display. Without an X display (ctest, CI) wine falls back to its null driver,
# which makes and measures windows as a display would without showing them; with one (the GUI
# test's virtual display) it shows them there.
ensure_display_driver() {
  [[ ! -f "$WINEPREFIX/.wdx-display" ]] || return 0
  env -u DISPLAY wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f \
    >/dev/null 2>&1 || return 0
  touch "$WINEPREFIX/.wdx-display"
}

ensure_prefix
ensure_fonts
ensure_display_driver

# The prefix keeps no absolute path of its own (its drive links are relative),
# so it works after the rename. Run the program; its exit code becomes ours.
set +e
wine "$@"
rc=$?
set -e
exit "$rc"
