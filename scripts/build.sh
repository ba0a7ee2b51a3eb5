#!/usr/bin/env bash
# Builds both configurations: build/native (portable code, unit tests, host tools such as
# the journal template maker, and the CTest driver) first, then build/win (the i686
# programs and Win32 tests, using the native host tools). With --x64 it also compiles
# the x86_64 Windows build in build/win64 as a compile check. With --sanitize it also
# builds build/asan: the native tree again with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets (its CTest runs the unit tests
# and each fuzzer for a few seconds).
# QM_BUILD_DIR overrides the build folder (default: build beside the sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
jobs=${QM_JOBS:-$(nproc)}
x64=0
sanitize=0
for arg in "$@"; do
  case "$arg" in
    --x64) x64=1 ;;
    --sanitize) sanitize=1 ;;
    *) echo "usage: build.sh [--x64] [--sanitize]" >&2; exit 2 ;;
  esac
done
cmake -S "$root" -B "$out/native" -DQM_WIN_BUILD_DIR="$out/win" >/dev/null
cmake --build "$out/native" -j "$jobs"
cmake -S "$root" -B "$out/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
  -DQM_HOST_TOOLS_DIR="$out/native/bin" >/dev/null
cmake --build "$out/win" -j "$jobs"
if [ $x64 = 1 ]; then
  cmake -S "$root" -B "$out/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" \
    -DQM_HOST_TOOLS_DIR="$out/native/bin" >/dev/null
  cmake --build "$out/win64" -j "$jobs"
fi
if [ $sanitize = 1 ]; then
  bash "$root/scripts/build-sanitize.sh"
fi
