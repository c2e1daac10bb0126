#!/usr/bin/env bash
# Runs the Windows build's WDXConfig.exe with real windows under wine on a virtual X
# display and drives it with simulated keys, as an administrator would. Each run has a fresh
# installation (the program beside www\wendrix\cgi-bin\application.cfg):
#
#   captions       every caption of the dialog (and of a test form with long German texts) fits
#                  its control in that control's font, in every language (dialog_fit_check.exe
#                  beside the program), after the check is seen to fail on a caption made too
#                  long.
#   display scaling at 120, 144 and 192 DPI (LogPixels in the prefix) the dialog's geometry is
#                  its design's scaled by DPI/96 and every caption fits (build/windows/
#                  win32-gui-<dpi>.png; the dialog alone at 144 DPI in
#                  build/windows/win32-gui-dialog-144dpi.png, the README's second picture).
#   800 x 600      on a screen of 800 x 600 the whole dialog is on the screen.
#   no argument, 1 the dialog closes on its activation; the program ends with 0, writing
#                  nothing.
#   no web server  the screenshot build/windows/win32-gui.png is checked against the dialog's
#                  design geometry (tests/win32gui/check_dialog.py); Escape and Alt+F4 close
#                  nothing; Tab skips the disabled Cancel to the domain field, where a domain
#                  with a port is typed; Enter presses Save; the "unable to configure" warning
#                  opens centred over the dialog and Enter answers it; the program ends with 0 having rewritten
#                  application.cfg and written both shortcuts.
#   Apache         with an Apache installation in the registry the second tab shows
#                  (build/windows/win32-gui-apache.png, the dialog alone in
#                  build/windows/win32-gui-dialog.png, the README's picture); Ctrl+Tab,
#                  Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch to it and back, the arrow key on
#                  the tab strip too, the Browse button's file-open dialog picks an httpd.conf,
#                  Save asks the Apache question, Yes appends the configuration block to the
#                  chosen file.
#
#   standard controls  the example settings dialog (settings_dialog.exe beside the program) with
#                  every standard control: the keys check and choose, its drop-down list opens,
#                  the about box opens modally and closes, the boxes of OK/Cancel and
#                  Yes/No/Cancel answer, the language switches (build/windows/win32-gui-controls*.png).
#
#   languages      the dialog built with the Russian, Polish, Greek and Japanese PO files of
#                  tests/languages (WDXConfigLanguages.exe, dialog_fit_check_languages.exe beside
#                  the program), in wine's own locale: every caption of every language is its
#                  window's text, whole, and fits; a Russian user's dialog has its Russian title;
#                  Cyrillic, Greek and Japanese typed into the domain field reach the field
#                  (build/windows/win32-gui-languages.png), as Save's refusal of characters that
#                  the system's code page lacks shows.
#
#   code pages     the caption check in each test language's own code page (LC_ALL), with the
#                  fonts wine gives that code page.
#
#   right to left  Arabic and Hebrew users (LC_MESSAGES) see the dialog as the mirror image of
#                  its design (build/windows/win32-gui-arabic.png, win32-gui-hebrew.png).
#
#   French         the translator's path on a copy of the source
#                  (tests/translations/translate-copy.sh) builds the program with setup/po/fr.po
#                  added; with a French user locale (wine takes it from LANG) the dialog starts
#                  in French (build/windows/win32-gui-french.png) and every French caption fits.
#
#   scripts/win32-gui-test.sh [path/to/WDXConfig.exe]
#
# The X display is one that Xvfb finds free itself (WDX_DISPLAY=<n> asks for :<n>).
# Needs Xvfb, xdotool, xprop, ImageMagick's import, python3 and wine (scripts/install-deps.sh).
# Exits non-zero on any failure; the screenshots stay for a look.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/usage.sh"
at_most_one_operand "$@"
exe="${1:-$root/build/windows/bin/WDXConfig.exe}"
shots="$root/build/windows"
started=$SECONDS
work=""
app_pid=""
xvfb_pid=""

fail() {
  echo "win32-gui-test: FAIL: $*" >&2
  if [[ -n "$work" && -s "$work/program.log" ]]; then
    echo "win32-gui-test: the program's output:" >&2
    cat "$work/program.log" >&2
  fi
  exit 1
}

for tool in Xvfb xdotool xprop python3 wine; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/install-deps.sh)"
done
# /usr/bin first: another import earlier on the PATH may be a stand-in.
import_bin=/usr/bin/import
[[ -x "$import_bin" ]] || import_bin="$(command -v import || true)"
[[ -n "$import_bin" ]] || fail "ImageMagick's import is not installed (scripts/install-deps.sh)"
[[ -f "$exe" ]] || fail "no $exe: build the windows preset first"

work="$(mktemp -d "${TMPDIR:-/tmp}/wdx-gui.XXXXXX")"
cleanup() {
  stop_program
  stop_display
  rm -rf "$work"
}
stop_program() {
  if [[ -n "$app_pid" ]] && kill -0 "$app_pid" 2>/dev/null; then
    kill -- "-$app_pid" 2>/dev/null || kill "$app_pid" 2>/dev/null || true
  fi
  app_pid=""
}
trap cleanup EXIT

# A wine prefix of our own, copied from the shared one when it is there (other tests may add an
# Apache installation to that one for a while), without any Apache registration to begin with.
shared_prefix="${WDX_WINEPREFIX:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/wendrix/wine-prefix}"
export WDX_WINEPREFIX="$work/wine-prefix"
if [[ -f "$shared_prefix/.wdx-ready" ]]; then
  cp -a "$shared_prefix" "$WDX_WINEPREFIX"
  rm -f "$WDX_WINEPREFIX/.wdx-ready"
fi
wine_quiet() {
  "$root/cmake/wine-run.sh" "$@" >/dev/null 2>&1
}
# The dialog looks for Apache in the 32-bit registry view first, then in the 64-bit one, so an
# installation is removed from both; one left in either would show the Apache tab.
clear_apache() {
  bash "$root/tests/e2e/host/ClearWineApache.sh" "$root/cmake/wine-run.sh" ||
    fail "cannot remove the Apache registration from the wine prefix"
}
clear_apache

# A display of our own, WIDTHxHEIGHT: the X server picks a free number itself and reports it, so
# that runs started at the same moment (other worktrees, other users) never share one.
# WDX_DISPLAY asks for a given number instead. The display before it, if any, is stopped.
start_display() {
  stop_display
  rm -f "$work/display"
  if [[ -n "${WDX_DISPLAY:-}" ]]; then
    Xvfb ":${WDX_DISPLAY#:}" -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    echo "${WDX_DISPLAY#:}" >"$work/display"
  else
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" \
      >"$work/xvfb.log" 2>&1 &
  fi
  xvfb_pid=$!
  unset DISPLAY
  for _ in $(seq 50); do
    [[ -s "$work/display" ]] && DISPLAY=":$(head -n1 "$work/display")" &&
      xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
  export DISPLAY
  [[ -n "${DISPLAY:-}" ]] || fail "Xvfb reported no display number"
  echo "win32-gui-test: display $DISPLAY ($1)"
}
# The wine server of the private prefix serves nothing else; it holds the desktop of the display
# it started with and the display settings it read then.
stop_wine() {
  if [[ -f "$work/wine-prefix/system.reg" ]]; then
    WINEPREFIX="$work/wine-prefix" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$work/wine-prefix" wineserver -w >/dev/null 2>&1 || true
  fi
}
stop_display() {
  stop_wine
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  xvfb_pid=""
}
start_display 1280x1024

# set_dpi DPI: the display scaling of the prefix, as Windows' settings give it.
set_dpi() {
  wine_quiet reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f ||
    fail "cannot set LogPixels to $1"
  stop_wine
}

# wait_window REGEX SECONDS: prints the id of the visible window whose name matches.
wait_window() {
  local name="$1" seconds="$2" id=""
  for _ in $(seq $((seconds * 4))); do
    id="$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1 || true)"
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    if ! kill -0 "$app_pid" 2>/dev/null; then
      echo "win32-gui-test: the program ended while waiting for '$name'" >&2
      return 1
    fi
    sleep 0.25
  done
  return 1
}

# wait_gone REGEX: waits up to ten seconds until no visible window's name matches; false if one
# still does.
wait_gone() {
  for _ in $(seq 40); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.25
  done
  return 1
}

# keys WINDOW KEYS...: focuses the window and presses the keys one after the other.
keys() {
  local window="$1"
  shift
  xdotool windowfocus --sync "$window"
  xdotool key --delay 120 "$@"
  sleep 0.3
}

# type_text WINDOW TEXT
type_text() {
  xdotool windowfocus --sync "$1"
  xdotool type --delay 20 "$2"
  sleep 0.3
}

# new_installation NAME [PROGRAM]: a fresh installation folder of PROGRAM (the one under test
# by default); sets install and cfg.
new_installation() {
  install="$work/$1/Korvane Wendrix"
  cfg="$install/www/wendrix/cgi-bin/application.cfg"
  mkdir -p "$install/www/wendrix/cgi-bin"
  cp "${2:-$exe}" "$install/WDXConfig.exe"
  printf '%s\r\n' \
    '# Korvane Wendrix configuration' \
    "\$your_logo = 'old';" \
    "\$email_settings_smtp = 'old';" \
    "\$email_settings_from = 'old';" \
    "\$http_root = 'old';" \
    "\$real_root = 'old';" \
    'keep_me = 1' >"$cfg"
}

# start_program ARGS...: runs the program in the background.
start_program() {
  # In a process group of its own so that a failure can end all of it.
  setsid "$root/cmake/wine-run.sh" "$install/WDXConfig.exe" "$@" >"$work/program.log" 2>&1 &
  app_pid=$!
}

# start_dialog [TITLE]: runs the program with argument 0 and sets dialog to its window, titled
# TITLE ("... finalizing setup" by default), once the activation has filled in its fields.
start_dialog() {
  local expected="${1:-... finalizing setup}" title
  start_program 0
  dialog="$(wait_window "${expected#... }" 90)" || fail "the dialog did not appear"
  title="$(xdotool getwindowname "$dialog")"
  [[ "$title" == "$expected" ]] || fail "the dialog's title is '$title'"
  sleep 1.5
}

# screenshot FILE: the whole screen.
screenshot() {
  "$import_bin" -window root "PNG24:$1" || fail "no screenshot $1"
}

# check_layout FILE TABS [DPI]: the dialog's geometry on a screenshot, with TABS tabs showing.
check_layout() {
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  echo "win32-gui-test: dialog window ${WIDTH}x${HEIGHT} at ${X},${Y}; screenshot $1"
  python3 "$root/tests/win32gui/check_dialog.py" "$1" "$X" "$Y" "$WIDTH" "$HEIGHT" "$2" \
    "${3:-96}" || fail "the dialog does not look as designed (see $1)"
}

# check_page N: the dialog shows its page N.
check_page() {
  sleep 0.5
  screenshot "$work/page.png"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  python3 "$root/tests/win32gui/check_dialog.py" --page "$work/page.png" "$X" "$Y" "$WIDTH" \
    "$HEIGHT" "$1" || fail "the dialog does not show its page $1"
}

# check_centred BOX: the message box lies centred over the dialog that owns it.
check_centred() {
  local dx dy dw dh
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  dx=$X dy=$Y dw=$WIDTH dh=$HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "win32-gui-test: box ${WIDTH}x${HEIGHT} at ${X},${Y} over the dialog ${dw}x${dh} at ${dx},${dy}"
  local off_x=$(((X + WIDTH / 2) - (dx + dw / 2))) off_y=$(((Y + HEIGHT / 2) - (dy + dh / 2)))
  ((off_x * off_x <= 100 && off_y * off_y <= 100)) ||
    fail "the box is not centred over the dialog (its centre is off by ${off_x},${off_y})"
}

# wait_exit: waits for the program to end and expects exit code 0.
wait_exit() {
  for _ in $(seq 120); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.25
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program is still running"
  local rc=0
  wait "$app_pid" || rc=$?
  app_pid=""
  [[ $rc -eq 0 ]] || fail "the program exited with $rc"
}

# check_saved DOMAIN: application.cfg's entry lines and the two shortcuts.
check_saved() {
  local domain="$1" key title
  grep -q "'http_root'=>'http://$domain'," "$cfg" ||
    fail "application.cfg has no http_root of the typed domain: $(cat "$cfg")"
  for key in your_logo email_settings_smtp email_settings_from http_root real_root; do
    grep -q "^ *'$key'=>'[^']*',"$'\r'"\$" "$cfg" || fail "application.cfg has no entry line for $key"
  done
  grep -q "'your_logo'=>'/wendrix/images/normal/YourLogo.gif'," "$cfg" ||
    fail "your_logo is not the design's logo path"
  grep -q "'real_root'=>'.*\\\\www\\\\wendrix\\\\cgi-bin'," "$cfg" ||
    fail "real_root is not the installation's cgi-bin folder"
  grep -q '^keep_me = 1' "$cfg" || fail "application.cfg lost a line that has no key"
  for title in "Korvane Wendrix V3.0" "Getting Started (A step by step guide)"; do
    [[ -f "$install/$title.url" ]] || fail "no shortcut '$title.url'"
    grep -q "http://$domain/wendrix/" "$install/$title.url" ||
      fail "'$title.url' does not point at the typed domain"
  done
}

# ---- captions -------------------------------------------------------------------------------
# Every caption of the dialog fits its control in that control's font, in every language: first
# shown to fail on a caption made too long, then on the dialog as it is.
fit_check="$(dirname "$exe")/dialog_fit_check.exe"
[[ -f "$fit_check" ]] || fail "no $fit_check: build the windows preset first"
# check_captions: every caption fits at the display's DPI.
check_captions() {
  "$root/cmake/wine-run.sh" "$fit_check" >"$work/fit.log" 2>&1 || {
    cat "$work/fit.log"
    fail "a caption does not fit its control"
  }
  cat "$work/fit.log"
}
echo "win32-gui-test: captions"
rc=0
"$root/cmake/wine-run.sh" "$fit_check" --caption Label2 "http://MyServer.example.com:" \
  >"$work/fit-long.log" 2>&1 || rc=$?
cat "$work/fit-long.log"
[[ $rc -eq 1 ]] && grep -q '^96 DPI, English: Label2 ' "$work/fit-long.log" ||
  fail "the caption check did not catch a caption made too long (exit $rc)"
check_captions

# register_apache: an Apache installation in the registry, whose server root has no httpd.conf.
register_apache() {
  wine_quiet reg add 'HKLM\Software\Apache Group\Apache\1.3.27' /v ServerRoot \
    /d "C:\\Nowhere\\Apache\\" /f || fail "cannot register Apache in the wine prefix"
}

# ---- display scaling -------------------------------------------------------------------------
# With Apache found, as the README's pictures show the dialog.
register_apache
for dpi in 120 144 192; do
  echo "win32-gui-test: $dpi DPI"
  set_dpi "$dpi"
  check_captions
  new_installation "dpi-$dpi"
  start_dialog
  screenshot "$shots/win32-gui-$dpi.png"
  check_layout "$shots/win32-gui-$dpi.png" 2 "$dpi"
  if [[ $dpi == 144 ]]; then
    "$import_bin" -window "$dialog" "PNG24:$shots/win32-gui-dialog-144dpi.png" ||
      fail "no dialog screenshot at 144 DPI"
  fi
  stop_program
done
set_dpi 96
clear_apache

# ---- 800 x 600 -------------------------------------------------------------------------------
# The design position would put the right half of the dialog, Save included, off this screen.
echo "win32-gui-test: 800 x 600"
start_display 800x600
new_installation small
start_dialog
screenshot "$work/small.png"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
echo "win32-gui-test: dialog window ${WIDTH}x${HEIGHT} at ${X},${Y} on 800 x 600"
((X >= 0 && Y >= 0 && X + WIDTH <= 800 && Y + HEIGHT <= 600)) ||
  fail "the dialog is not wholly on the 800 x 600 screen"
check_layout "$work/small.png" 1
stop_program
# At 144 DPI the window would be taller than this screen: it is laid out smaller, wholly on it.
set_dpi 144
start_dialog
eval "$(xdotool getwindowgeometry --shell "$dialog")"
echo "win32-gui-test: dialog window ${WIDTH}x${HEIGHT} at ${X},${Y} on 800 x 600 at 144 DPI"
((X >= 0 && Y >= 0 && X + WIDTH <= 800 && Y + HEIGHT <= 600)) ||
  fail "the dialog at 144 DPI is not wholly on the 800 x 600 screen"
stop_program
set_dpi 96
start_display 1280x1024

# ---- run modes that close at once ----------------------------------------------------------
# Without an argument, and with 1 (the IIS removal, which finds no IIS under wine), the dialog
# closes on its first activation and the program ends with 0, writing nothing.
for mode in none 1; do
  echo "win32-gui-test: argument $mode"
  new_installation "mode-$mode"
  if [[ $mode == none ]]; then start_program; else start_program "$mode"; fi
  wait_exit
  [[ -z "$(find "$install" -name '*.url')" ]] || fail "argument $mode wrote shortcuts"
  grep -q "^.your_logo = 'old';" "$cfg" || fail "argument $mode changed application.cfg"
done

# ---- no web server ---------------------------------------------------------------------------
echo "win32-gui-test: no web server"
new_installation plain
start_dialog

# What the window asks of a window manager: a title and a border, no menu, no minimise or
# maximise box, and no resizing (wine's Motif hints: flags, functions, decorations). Wine offers
# the close function to every enabled window; the dialog itself ignores that request.
hints="$(xprop -id "$dialog" _MOTIF_WM_HINTS 2>/dev/null || true)"
read -r _ functions decorations _ <<<"$(sed -e 's/.*= *//' -e 's/,/ /g' <<<"$hints")"
[[ -n "${decorations:-}" ]] || fail "the dialog has no Motif hints: $hints"
echo "win32-gui-test: Motif hints: functions $functions, decorations $decorations"
(((functions & (0x2 | 0x8 | 0x10)) == 0)) ||
  fail "the dialog may be resized, minimised or maximised by the desktop ($hints)"
(((decorations & 0x8) != 0 && (decorations & (0x4 | 0x10 | 0x20 | 0x40)) == 0)) ||
  fail "the dialog's decorations are not a plain title and border ($hints)"

screenshot "$shots/win32-gui.png"
check_layout "$shots/win32-gui.png" 1

# Neither Escape nor Alt+F4 closes a dialog that has no close box.
keys "$dialog" Escape alt+F4
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Escape or Alt+F4 ended the program"
xdotool search --onlyvisible --name "finalizing setup" >/dev/null || fail "the dialog went away"

# The focus starts on Save; Tab skips the disabled Cancel to the page control, a second Tab
# reaches the domain field, whose text is then selected and replaced by what is typed.
keys "$dialog" Tab Tab
type_text "$dialog" "gui.example:8080"
keys "$dialog" Return
warning="$(wait_window "^Warning$" 30)" || fail "the 'unable to configure' warning did not appear"
check_centred "$warning"
keys "$warning" Return
wait_exit
check_saved "gui.example:8080"

# ---- Apache ----------------------------------------------------------------------------------
echo "win32-gui-test: Apache"
new_installation apache
# The registered server root has no httpd.conf; the one to pick lies elsewhere.
conf="$work/apache2/conf/httpd.conf"
mkdir -p "$(dirname "$conf")"
printf 'ServerName localhost\r\n' >"$conf"
register_apache
start_dialog
screenshot "$shots/win32-gui-apache.png"
check_layout "$shots/win32-gui-apache.png" 2
# The dialog alone, as the README shows it.
"$import_bin" -window "$dialog" "PNG24:$shots/win32-gui-dialog.png" || fail "no dialog screenshot"

# The page keys switch pages from any control, and back; the focus goes to the page's first
# field. Then Tab: the page control; Right: the Apache page; Tab, Tab: Browse; Enter presses it.
keys "$dialog" ctrl+Tab
check_page 2
keys "$dialog" ctrl+shift+Tab
check_page 1
keys "$dialog" ctrl+Next
check_page 2
keys "$dialog" ctrl+Prior
check_page 1
keys "$dialog" shift+Tab Right
sleep 0.5
screenshot "$shots/win32-gui-apache-page.png"
check_page 2
keys "$dialog" Tab Tab Return
open="$(wait_window "^Open$" 30)" || fail "the file-open dialog did not appear"
keys "$open" ctrl+a BackSpace
type_text "$open" "$(sed -e 's|^|Z:|' -e 's|/|\\|g' <<<"$conf")"
keys "$open" Return
wait_gone "^Open$" || true
# Shift+Tab back to the path field, then Enter: Save.
keys "$dialog" shift+Tab Return
confirm="$(wait_window "^Confirm$" 30)" || fail "the Apache question did not appear"
keys "$confirm" Return
wait_exit
check_saved "$(grep -o "'http_root'=>'http://[^']*'" "$cfg" | sed -e "s/.*http:\/\///" -e "s/'$//")"
[[ -f "$conf.korvane" ]] || fail "no backup $conf.korvane of the chosen httpd.conf"
grep -q '^ServerName localhost' "$conf" || fail "httpd.conf lost its own lines"
grep -q '/www/wendrix' "$conf" || fail "httpd.conf got no block for the installation"

# ---- standard controls ------------------------------------------------------------------------
# The example settings dialog (every standard control, English and German): the keys check and
# choose (build/windows/win32-gui-controls.png, its drop-down list open in
# win32-gui-controls-list.png, its second page in win32-gui-controls-more.png), the about box opens
# modally and closes, Escape's box of OK and Cancel keeps the dialog on Cancel, the language
# switches its title, and Save's box of Yes, No and Cancel ends the program on Yes.
echo "win32-gui-test: standard controls"
settings_exe="$(dirname "$exe")/settings_dialog.exe"
[[ -f "$settings_exe" ]] || fail "no $settings_exe: build the windows preset first"
mkdir -p "$work/controls"
cp "$settings_exe" "$work/controls/settings_dialog.exe"
setsid "$root/cmake/wine-run.sh" "$work/controls/settings_dialog.exe" >"$work/program.log" 2>&1 &
app_pid=$!
dialog="$(wait_window "^Settings$" 90)" || fail "the settings dialog did not appear"
sleep 1.5
# The tab strip has the focus: Tab, Tab to the check box, Space unchecks it; Tab, Down checks the
# dark theme; Tab, Up chooses the small text; Tab, Alt+Down drops the colours down.
keys "$dialog" Tab Tab space Tab Down Tab Up Tab alt+Down
sleep 0.5
"$import_bin" -window root "PNG24:$shots/win32-gui-controls-list.png" || fail "no screenshot"
# Alt+Up closes the list, Up then chooses Green. (Not through keys: focusing the window again
# would close the list first.)
xdotool key --delay 120 alt+Up Up
sleep 0.5
"$import_bin" -window "$dialog" "PNG24:$shots/win32-gui-controls.png" || fail "no screenshot"
keys "$dialog" ctrl+Tab
"$import_bin" -window "$dialog" "PNG24:$shots/win32-gui-controls-more.png" || fail "no screenshot"
keys "$dialog" Escape
confirm="$(wait_window "^Confirm$" 30)" || fail "Escape did not ask to discard the changes"
keys "$confirm" Escape
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "Cancel in the box of OK and Cancel ended the program"
# Shift+Tab from the page's list goes back to the tab strip, then round to the buttons: About...
keys "$dialog" shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
about="$(wait_window "^About$" 30)" || fail "the about box did not appear"
keys "$about" Return
wait_gone "^About$" || fail "the about box stayed open"
# Tab to Deutsch, Enter: the title is German; Tab to OK, Enter: Save's box, in German too, its
# buttons as well: J answers Ja.
keys "$dialog" Tab Return
dialog="$(wait_window "^Einstellungen$" 30)" || fail "the language did not switch"
keys "$dialog" Tab Return
confirm="$(wait_window "^Bestätigung$" 30)" || fail "OK did not ask to save"
keys "$confirm" j
wait_exit

# ---- languages ------------------------------------------------------------------------------
echo "win32-gui-test: languages"
languages_exe="$(dirname "$exe")/WDXConfigLanguages.exe"
for program in "$languages_exe" "$(dirname "$exe")/dialog_fit_check_languages.exe"; do
  [[ -f "$program" ]] || fail "no $program: build the windows preset first"
done
"$root/cmake/wine-run.sh" "$(dirname "$exe")/dialog_fit_check_languages.exe" \
  >"$work/fit-languages.log" 2>&1 || {
  cat "$work/fit-languages.log"
  fail "a caption of the dialog in another script is not shown whole or does not fit"
}
grep -E ' (Russian|Polish|Greek|Japanese): ' "$work/fit-languages.log"
# Each language in its own code page: wine takes the system's from LC_ALL, and with it the fonts
# that a user of that language's Windows sees the dialog in.
for locale in ru_RU pl_PL el_GR ja_JP ar_EG he_IL; do
  locale -a 2>/dev/null | grep -qix "$locale.utf-\?8" ||
    fail "wine needs the $locale.UTF-8 locale for its code page (scripts/install-deps.sh makes it)"
  LC_ALL="$locale.UTF-8" "$root/cmake/wine-run.sh" "$(dirname "$exe")/dialog_fit_check_languages.exe" \
    >"$work/fit-$locale.log" 2>&1 || {
    cat "$work/fit-$locale.log"
    fail "a caption does not fit its control in the code page of $locale"
  }
  echo "win32-gui-test: every caption fits in the code page of $locale"
done
# A Russian user: the language from LC_MESSAGES, the code page of wine's own locale.
new_installation languages "$languages_exe"
LC_MESSAGES=ru_RU.UTF-8 start_dialog "... завершение установки"
# Tab, Tab: the domain field, whose text the typed one replaces. Save refuses it, naming the
# field; a field that got "?" instead would be saved, and the program would end.
keys "$dialog" Tab Tab
# xdotool maps each character the keyboard lacks to a spare key, sends it, and maps the key back
# after the delay: wine must have read the key by then, so the delay leaves room for a busy
# machine (at 20 ms wine now and then read the key under the old map; at 150 ms it never did).
xdotool windowfocus --sync "$dialog"
xdotool type --delay 500 "Жλ保"
sleep 0.3
"$import_bin" -window "$dialog" "PNG24:$shots/win32-gui-languages.png" || fail "no screenshot"
keys "$dialog" Return
refusal="$(wait_window "^Warning$" 30)" || fail "Save did not refuse the typed characters"
keys "$refusal" Return
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "the typed characters reached the field as others: Save went on"
grep -q "^.your_logo = 'old';" "$cfg" || fail "Save wrote application.cfg with the refused text"
stop_program

# ---- right to left ---------------------------------------------------------------------------
# Arabic and Hebrew users: the dialog is the mirror image of its design, its texts read from right
# to left (build/windows/win32-gui-arabic.png, win32-gui-hebrew.png).
for rtl in "ar_EG.UTF-8|... إنهاء الإعداد|arabic" "he_IL.UTF-8|... סיום ההתקנה|hebrew"; do
  IFS='|' read -r locale title name <<<"$rtl"
  echo "win32-gui-test: $name"
  new_installation "$name" "$languages_exe"
  LC_MESSAGES="$locale" start_dialog "$title"
  screenshot "$shots/win32-gui-$name.png"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  python3 "$root/tests/win32gui/check_dialog.py" --mirrored "$shots/win32-gui-$name.png" "$X" \
    "$Y" "$WIDTH" "$HEIGHT" 2 || fail "the $name dialog is not the mirror image of the design"
  stop_program
done

# ---- a translator's French -------------------------------------------------------------------
echo "win32-gui-test: French"
locale -a 2>/dev/null | grep -qix 'fr_FR.utf-\?8' ||
  fail "wine needs the fr_FR.UTF-8 locale for a French user (scripts/install-deps.sh makes it)"
french="$root/build/windows/translator"
# The Windows build's tools for this machine: those it was configured with, else its own.
host_bin="$(sed -n 's/^WDX_HOST_TOOLS_DIR:PATH=//p' "$root/build/windows/CMakeCache.txt")"
if [[ -z "$host_bin" ]]; then
  host_bin="$root/build/windows/host-tools/bin"
  cmake --build "$root/build/windows" --target wdx_host_tools >"$work/host-formtool.log" 2>&1 ||
    fail "formtool for this machine did not build: $(tail -n 20 "$work/host-formtool.log")"
fi
"$root/tests/translations/translate-copy.sh" "$french" dialog_fit_check -- \
  "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-w64.cmake" \
  "-DWDX_HOST_TOOLS_DIR=$host_bin" >"$work/french.log" 2>&1 || {
  cat "$work/french.log" >&2
  fail "the translator's path did not give a French program"
}
unset LC_ALL LC_MESSAGES
export LANG=fr_FR.UTF-8
"$root/cmake/wine-run.sh" "$french/build/bin/dialog_fit_check.exe" >"$work/fit-french.log" 2>&1 || {
  cat "$work/fit-french.log"
  fail "a caption of the French dialog does not fit its control"
}
grep ' French: ' "$work/fit-french.log" || fail "the fit check found no French"
new_installation french "$french/build/bin/WDXConfig.exe"
start_dialog "... finalisation de l'installation"
screenshot "$shots/win32-gui-french.png"
stop_program

echo "win32-gui-test: OK ($((SECONDS - started))s)"
