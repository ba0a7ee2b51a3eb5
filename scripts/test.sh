#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test through CTest:
# native unit tests, Win32 tests under Wine and end-to-end tests under Wine with Xvfb;
# then, in the sanitizer build (build/asan), the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer and each fuzz target for a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
# Which Windows build the Wine tests run depends on whether this machine's kernel runs
# 32-bit programs; both builds are made either way (the i686 one is the product).
. "$root/scripts/wine-env.sh"
echo "test: $QM_WINE_MODE"
bash "$root/scripts/build.sh" --x64 --sanitize
out=${QM_BUILD_DIR:-$root/build}
rc=0
(cd "$out/native" && ctest -j "${QM_JOBS:-$(nproc)}" --output-on-failure --timeout 900) || rc=1
(cd "$out/asan" && ctest -j "${QM_JOBS:-$(nproc)}" --output-on-failure --timeout 900) || rc=1
exit $rc
