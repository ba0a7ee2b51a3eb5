#!/usr/bin/env bash
# The soak test (tests/e2e/soak) for longer than the test run's 20 seconds: four senders
# report 200 folders a second together to QuillmarkBck.exe while the launcher refills its
# lists in a loop and a third program holds reads on the journal now and then. Prints
# its figures (reports, refills, how long the launcher's window went unanswered) and
# fails when anything failed or a report was lost. Build first (scripts/build.sh, with
# --x64 where this machine cannot run 32-bit programs).
# Usage: scripts/soak.sh [SECONDS]   (default 300)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
. "$root/scripts/wine-env.sh"
template=${QM_WINE_TEMPLATE:-$out/native/wineprefix-template}
if ! qm_prefix_ready "$template"; then
  bash "$root/scripts/wine-prefix.sh" "$template"
fi
QM_SOAK_SECONDS=${1:-300} QM_WINE_TEMPLATE=$template \
  bash "$root/scripts/wine-test.sh" --display "$out/win/bin/e2e_soak.exe"
