#!/usr/bin/env bash
# Runs one libFuzzer target of the sanitizer build for a fixed time and prints what it
# did. The corpus it grows lives in the build folder beside the program
# (<program>.corpus); the seeds in tests/fuzz/corpus/<name> are read, never written. An
# input that makes the target fail is kept as <program>.crash-<hash>, and the run
# fails.
# Usage: run_fuzzer.sh PROGRAM SECONDS [libFuzzer options...]
set -uo pipefail
program=${1:?usage: run_fuzzer.sh PROGRAM SECONDS}
seconds=${2:?usage: run_fuzzer.sh PROGRAM SECONDS}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$program")
seeds=$here/corpus/$name
corpus=$program.corpus
mkdir -p "$corpus"
args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
      -artifact_prefix="$program." "$@")
[ -f "$here/$name.dict" ] && args+=(-dict="$here/$name.dict")
dirs=("$corpus")
[ -d "$seeds" ] && dirs+=("$seeds")
log=$(mktemp)
"$program" "${args[@]}" "${dirs[@]}" >"$log" 2>&1
rc=$?
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
# Coverage as libFuzzer counts it: the code edges reached, and the finer features.
cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
if [ $rc -ne 0 ]; then
  cat "$log"
  echo "fuzz: $name FAILED (exit $rc); the input is kept as $program.crash-* or $program.leak-*" >&2
else
  echo "fuzz: $name ${runs:-?} runs in ${seconds} s, ${cov:-cov: ?}, corpus $(ls "$corpus" | wc -l) inputs"
fi
rm -f "$log"
exit $rc
