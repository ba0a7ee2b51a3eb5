#!/usr/bin/env bash
# Builds both configurations: build/win (i686 programs and Win32 tests) and build/native
# (portable code, unit tests, host tools, CTest driver). With --x64 also compiles the
# x86_64 Windows build in build/win64 as a compile check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${QM_JOBS:-$(nproc)}
x64=0
[ "${1:-}" = "--x64" ] && x64=1
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"
cmake -S "$root" -B "$root/build/native" -DQM_WIN_BUILD_DIR="$root/build/win" >/dev/null
cmake --build "$root/build/native" -j "$jobs"
if [ $x64 = 1 ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake" >/dev/null
  cmake --build "$root/build/win64" -j "$jobs"
fi
