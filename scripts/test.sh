#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test through CTest:
# native unit tests, Win32 tests under Wine and end-to-end tests under Wine with Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" --x64
cd "${QM_BUILD_DIR:-$root/build}/native"
ctest -j "${QM_JOBS:-$(nproc)}" --output-on-failure --timeout 900
