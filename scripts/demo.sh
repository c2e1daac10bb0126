#!/usr/bin/env bash
# Runs the setup dialog in this terminal on a demo installation, then shows what it changed.
#
#   scripts/demo.sh          a fresh demo installation in build/demo
#   scripts/demo.sh --keep   the demo installation of the last run, as that run left it
#
# The demo has the program in its installation folder with www\wendrix\cgi-bin\application.cfg,
# an Apache tree with its httpd.conf and a registry file whose ServerRoot names it, and an IIS
# stand-in with web site 1. When the dialog closes, the diff of every file it wrote is printed.
#
# The first run builds the program (about 1 minute 20 seconds on two idle cores; the build shows
# its progress); later runs build only what changed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
demo="$root/build/demo"
source "$root/scripts/lib/usage.sh"
answer_help "$@"
keep=0
[[ $# -le 1 ]] || refuse_argument "$2"
case "${1:-}" in
  "") ;;
  --keep) keep=1 ;;
  *) refuse_argument "$1" ;;
esac

source "$root/scripts/lib/build-tree.sh"
"$root/scripts/install-deps.sh" --native
cd "$root"

mkdir -p "$root/build"
echo "==== building WDXConfig in build/native ===="
start=$SECONDS
prepare_build_tree native
# The configure step's own report is long; it is shown only when it fails.
if ! cmake --preset native >"$root/build/demo-configure.log" 2>&1; then
  cat "$root/build/demo-configure.log" >&2
  echo "demo: configuring build/native failed" >&2
  exit 1
fi
cmake --build --preset native --target WDXConfig
elapsed=$((SECONDS - start))
printf 'built in %dm %02ds\n' $((elapsed / 60)) $((elapsed % 60))

# A Linux path as the program sees it: Z: is the root of the file system.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

if [[ $keep -eq 0 || ! -d "$demo/install" ]]; then
  rm -rf "$demo"
  mkdir -p "$demo/install/www/wendrix/cgi-bin" "$demo/apache/conf" "$demo/apache/htdocs" \
    "$demo/apache/cgi-bin" "$demo/apache/logs"
  # The web application's files are Windows text files: lines end in CR LF.
  sed 's/$/\r/' "$root/demo/application.cfg" >"$demo/install/www/wendrix/cgi-bin/application.cfg"
  printf '<html><body>Korvane Wendrix</body></html>\r\n' >"$demo/install/www/wendrix/index.html"
  sed "s|@ROOT@|$demo/apache|g; s/\$/\r/" "$root/demo/httpd.conf" >"$demo/apache/conf/httpd.conf"
  server_root="$(windows_path "$demo/apache/")"
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Apache Group\\Apache\\1.3.33]\r\n'
    printf '"ServerRoot"="%s"\r\n' "${server_root//\\/\\\\}"
    printf '"Version"="1.3.33"\r\n'
  } >"$demo/registry.reg"
  printf '[IIS://localhost/W3SVC/1/Root]\nClass=IIsWebVirtualDir\nPath=C:\\Inetpub\\wwwroot\n' \
    >"$demo/metabase.ini"
fi
cp "$root/build/native/bin/WDXConfig" "$demo/install/WDXConfig"

# What the files were before the run, to show what it changed.
rm -rf "$demo/.before"
mkdir -p "$demo/.before"
for part in install apache metabase.ini; do cp -a "$demo/$part" "$demo/.before/"; done

status=0
WENDRIX_REGISTRY="$demo/registry.reg" WENDRIX_METABASE="$demo/metabase.ini" \
  "$demo/install/WDXConfig" 0 || status=$?

echo
echo "==== what the program changed in $demo ===="
changes=0
cd "$demo"
for part in install apache metabase.ini; do
  diff -ruN --exclude=WDXConfig ".before/$part" "$part" || changes=1
done
[[ $changes -eq 1 ]] || echo "(no file changed)"
rm -rf "$demo/.before"
exit "$status"
