#!/usr/bin/env bash
# Makes a fresh Wine prefix at $1 (removing what was there): win32 where this machine runs
# 32-bit programs, win64 otherwise (wine-env.sh). Tests copy it, so no test ever touches
# the user's own ~/.wine.
set -euo pipefail
dir=${1:?usage: wine-prefix.sh DIR}
. "$(dirname "$0")/wine-env.sh"
rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
export WINEPREFIX=$dir WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wineboot -i >/dev/null 2>&1
wineserver -w
echo "wine-prefix: $QM_WINE_ARCH prefix ready at $dir ($QM_WINE_MODE)"
