#!/usr/bin/env bash
# Runs the fuzz targets for longer than the test run does (which gives each a few
# seconds): every target, or the ones named, SECONDS each (default 300), one after the
# other. Builds build/asan first. Each target's corpus grows in build/asan/bin/<target>.corpus
# and is reused by the next run; an input that makes a target fail is kept beside it
# (build/asan/bin/<target>.crash-*) and ends this script with a failure. Turn such an
# input into a unit test and keep it among the seeds (tests/fuzz/corpus/<target>).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
seconds=${1:-300}
[ $# -gt 0 ] && shift
bash "$root/scripts/build-sanitize.sh" >/dev/null || exit 1
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Every fuzz target the build made (qm_fuzz_target in tests/fuzz/CMakeLists.txt).
  for f in "$out"/asan/bin/*_fuzz; do [ -x "$f" ] && targets+=("$(basename "$f")"); done
fi
rc=0
for t in "${targets[@]}"; do
  bash "$root/tests/fuzz/run_fuzzer.sh" "$out/asan/bin/$t" "$seconds" || rc=1
done
exit $rc
