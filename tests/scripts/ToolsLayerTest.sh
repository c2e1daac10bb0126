#!/usr/bin/env bash
# The form tools stand beside the setup program, not on it: nothing under tools/ includes setup/
# or a front-end, and the formtool that the build made holds no code of the setup program or of a
# front-end and needs no curses.
#
#   tests/scripts/ToolsLayerTest.sh <source root> <formtool>
set -euo pipefail

root="$1"
formtool="$2"
status=0

if grep -rnE '#[[:space:]]*include[[:space:]]*"(setup|framework/ui)/' "$root/tools"; then
  echo "ToolsLayerTest: the lines above include the setup program or a front-end" >&2
  status=1
fi
if objdump -p "$formtool" | grep -E 'NEEDED.*(curses|tinfo)'; then
  echo "ToolsLayerTest: formtool needs curses" >&2
  status=1
fi
if nm -C "$formtool" |
  grep -E ' wdx::(TfrmWendrixSetup|TScriptedFrontEnd|CreatePlatformFrontEnd|ChooseFrontEnd)'; then
  echo "ToolsLayerTest: formtool holds the code above" >&2
  status=1
fi
exit "$status"
