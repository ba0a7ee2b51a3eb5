#!/usr/bin/env bash
# Makes a fresh 32-bit Wine prefix at $1 (removing what was there). Tests copy it, so
# no test ever touches the user's own ~/.wine.
set -euo pipefail
dir=${1:?usage: wine-prefix.sh DIR}
rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
export WINEPREFIX=$dir WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wineboot -i >/dev/null 2>&1
wineserver -w
echo "wine-prefix: ready at $dir"
