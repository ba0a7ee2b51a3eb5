#!/usr/bin/env bash
# Runs the background program's benchmark under Wine (with Xvfb) in a throwaway copy of
# the test prefix and prints its figures. Build first (scripts/build.sh).
# Usage: bench/background/run.sh [REPORTS [SAMPLES]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
template=$out/native/wineprefix-template
if [ ! -f "$template/system.reg" ]; then
  bash "$root/scripts/wine-prefix.sh" "$template"
fi
QM_WINE_TEMPLATE=$template bash "$root/scripts/wine-test.sh" --display "$out/win/bin/bench_background.exe" "$@"
