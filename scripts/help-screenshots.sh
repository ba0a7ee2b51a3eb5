#!/usr/bin/env bash
# Takes the pictures of the help pages anew: runs the launcher under Wine on a virtual
# display (Xvfb) in a throwaway prefix, with a made-up user's journal and favorites, and
# writes resources/help/images/*.png. The pictures are committed; the build only packs
# them into Quillmark.chm, so it never needs a display. Run after scripts/build.sh (with
# --x64 where this machine cannot run 32-bit programs) whenever the window changes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
out=${QM_BUILD_DIR:-$root/build}
tool=$(qm_win_exe "$out/win/bin/help_shots.exe")
if [ ! -f "$tool" ]; then
  echo "help-screenshots: $tool is missing; build first" >&2
  exit 1
fi
work=$(mktemp -d /tmp/qm-help-shots.XXXXXX)
prefix=$work/prefix
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
template=$out/native/wineprefix-template
if qm_prefix_ready "$template"; then
  cp -a "$template/." "$prefix/"
else
  bash "$root/scripts/wine-prefix.sh" "$prefix" >/dev/null
fi
mkdir -p "$work/shots"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 1024x768x24" bash -c \
  'wine "$1" "$2" </dev/null; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc' help-shots "$tool" "Z:${work//\//\\}\\shots"
mkdir -p "$root/resources/help/images"
for bmp in "$work"/shots/*.bmp; do
  png=$root/resources/help/images/$(basename "${bmp%.bmp}").png
  convert "$bmp" -strip -define png:compression-level=9 "$png"
  echo "help-screenshots: $png"
done
