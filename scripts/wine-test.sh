#!/usr/bin/env bash
# Runs one Windows test program under Wine in its own copy of the template prefix
# (QM_WINE_TEMPLATE), with Xvfb when --display is given. Everything started in the
# prefix is ended afterwards, so no Wine process outlives the test or holds its output.
set -uo pipefail
display=0
if [ "${1:-}" = "--display" ]; then display=1; shift; fi
exe=${1:?usage: wine-test.sh [--display] EXE [ARGS...]}
shift
template=${QM_WINE_TEMPLATE:?QM_WINE_TEMPLATE not set}
prefix=$(mktemp -d /tmp/qm-wine.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ $display = 1 ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'wine "$@" </dev/null; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc' wine-test "$exe" "$@"
else
  (unset DISPLAY; wine "$exe" "$@" </dev/null)
fi
