#!/usr/bin/env bash
# Takes the pictures in docs/screenshots: the launcher (Last Used and Folder Favorites)
# and the welcome window at 96 and 144 dpi, by running the dpi end-to-end test with
# QM_DPI_SCREENSHOTS set. Needs a build (scripts/build.sh, --x64 where 32-bit programs
# cannot run) and the test run's template prefix (made by scripts/test.sh or
# `ctest -R wine.prefix` in build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$root/docs/screenshots
shots=$(mktemp -d /tmp/qm-dpi-shots.XXXXXX)
trap 'rm -rf "$shots"' EXIT
export QM_WINE_TEMPLATE=${QM_WINE_TEMPLATE:-$root/build/native/wineprefix-template}
# The test program reads the folder as a Windows path.
# The pictures are worth having even where a check fails: they show what went wrong.
status=0
QM_DPI_SCREENSHOTS="Z:${shots//\//\\}" WINEDEBUG=-all \
  bash scripts/wine-test.sh --display build/win/bin/e2e_app_dpi.exe >/dev/null || status=$?
[ $status = 0 ] || echo "dpi-screenshots: some checks of the dpi test failed (exit $status)" >&2
mkdir -p "$out"
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || { echo "dpi-screenshots: no pictures were taken" >&2; exit 1; }
  convert "$bmp" "$out/$(basename "${bmp%.bmp}").png"
  echo "dpi-screenshots: $out/$(basename "${bmp%.bmp}").png"
done
