#!/usr/bin/env bash
# Configures and builds build/asan: the native tree (portable libraries, unit tests, host
# tools) compiled by clang with AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzz targets of tests/fuzz as libFuzzer programs. A Debug build, with the product
# libraries at -O1 (cmake/QmCommon.cmake).
# QM_BUILD_DIR overrides the build folder (default: build beside the sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
jobs=${QM_JOBS:-$(nproc)}
cmake -S "$root" -B "$out/asan" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out/asan" -j "$jobs"
