#!/usr/bin/env bash
# Runs the background program's benchmark under Wine (with Xvfb) in a throwaway copy of
# the test prefix and prints its figures. Build first (scripts/build.sh, with --x64 where
# this machine cannot run 32-bit programs).
# Usage: bench/background/run.sh [REPORTS [SAMPLES]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
. "$root/scripts/wine-env.sh"
template=$out/native/wineprefix-template
if ! qm_prefix_ready "$template"; then
  bash "$root/scripts/wine-prefix.sh" "$template"
fi
QM_WINE_TEMPLATE=$template bash "$root/scripts/wine-test.sh" --display "$out/win/bin/bench_background.exe" "$@"
