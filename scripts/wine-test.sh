#!/usr/bin/env bash
# Runs one Windows test program under Wine in its own copy of the template prefix
# (QM_WINE_TEMPLATE), with Xvfb when --display is given. Everything started in the
# prefix is ended afterwards, so no Wine process outlives the test or holds its output.
# EXE names a program of the i686 build (build/win/bin); where this machine cannot run
# 32-bit programs the same program of the x86_64 build runs instead (wine-env.sh).
set -uo pipefail
display=0
if [ "${1:-}" = "--display" ]; then display=1; shift; fi
exe=${1:?usage: wine-test.sh [--display] EXE [ARGS...]}
shift
. "$(dirname "$0")/wine-env.sh"
exe=$(qm_win_exe "$exe")
template=${QM_WINE_TEMPLATE:?QM_WINE_TEMPLATE not set}
if ! qm_prefix_ready "$template"; then
  echo "wine-test: $template is not a ready $QM_WINE_ARCH prefix ($QM_WINE_MODE)" >&2
  exit 1
fi
if [ ! -f "$exe" ]; then
  echo "wine-test: $exe is missing; build it first (scripts/build.sh --x64 builds both)" >&2
  exit 1
fi
prefix=$(mktemp -d /tmp/qm-wine.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
# The setup program's Start menu shortcut would otherwise have Wine's menu builder write
# menu entries into the real home folder.
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The launcher's weekly update check never leaves the machine in a test: unless a test
# names a server of its own, it asks a loopback port where nothing listens.
export QUILLMARK_UPDATE_URL=${QUILLMARK_UPDATE_URL:-http://127.0.0.1:9/download/version_check_rv.xml}
if [ $display = 1 ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'wine "$@" </dev/null; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc' wine-test "$exe" "$@"
else
  (unset DISPLAY; wine "$exe" "$@" </dev/null)
fi
