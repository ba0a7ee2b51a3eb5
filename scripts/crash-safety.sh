#!/usr/bin/env bash
# Crash safety: RUNS times (default 100) QuillmarkBck.exe runs under Wine, records a
# stream of reports, runs its daily clean-up (which deletes old rows and compacts), and
# is killed with SIGKILL at a random moment: while it records, around the clean-up's
# delete, or while it compacts, in turn. After every kill crash_helper.exe checks that
# the journal passes SQLite's integrity check and holds every report the program had
# committed (tests/e2e/crash/crash_helper_win.cpp says what exactly is checked). The
# journal and the settings carry over from run to run, so each run also starts on what
# the kills before left behind.
#
# Prints one line per run and a summary; fails when any check failed. The test run does
# three runs (CTest "e2e.crash_safety"). QM_CRASH_SEED repeats a run's random moments.
# Build first (scripts/build.sh, with --x64 where this machine cannot run 32-bit
# programs).
#
# Scenarios: each run picks what is running when the kill comes (the function
# start_scenario and the table phases below). The launcher's deletions, Remove from List
# and Reset, join here as further scenarios once they exist: start Quillmark.exe with a
# helper step that asks for the deletion (a posted menu command), kill it while it
# deletes and compacts, and check with the same "check" step, whose rules (all of a
# delete or none, nothing committed lost) hold for them as they are.
#
# Usage: scripts/crash-safety.sh [RUNS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
runs=${1:-100}
old_rows=${QM_CRASH_OLD_ROWS:-6000}
. "$root/scripts/wine-env.sh"
bin=${QM_WIN_BIN:-$out/win/bin}
helper=$(qm_win_exe "$bin/crash_helper.exe")
bck=$(qm_win_exe "$bin/QuillmarkBck.exe")
template=${QM_WINE_TEMPLATE:-$out/native/wineprefix-template}

if [ -z "${QM_CRASH_ON_DISPLAY:-}" ]; then
  for f in "$helper" "$bck"; do
    [ -f "$f" ] || { echo "crash-safety: $f is missing; build first (scripts/build.sh --x64)" >&2; exit 1; }
  done
  qm_prefix_ready "$template" || bash "$root/scripts/wine-prefix.sh" "$template" >/dev/null || exit 1
  seed=${QM_CRASH_SEED:-$$}
  echo "crash-safety: $runs runs, seed $seed ($QM_WINE_MODE)"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env QM_CRASH_ON_DISPLAY=1 QM_CRASH_SEED="$seed" \
    QM_WINE_TEMPLATE="$template" bash "$0" "$@"
fi

prefix=$(mktemp -d /tmp/qm-crash.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
RANDOM=$QM_CRASH_SEED

# Random whole number in [$1, $2].
rand() { echo $(((RANDOM * 32768 + RANDOM) % ($2 - $1 + 1) + $1)); }
sleep_ms() { sleep "$(($1 / 1000)).$(printf %03d $(($1 % 1000)))"; }
# What tells one file at a path from another (empty when there is none).
file_id() { stat -c '%i %y' "$1" 2>/dev/null; }
# Waits up to $2 ms for a file at $1 other than the one $3 names (a compaction copy left
# by an earlier kill stays until the next compaction replaces it).
wait_for_new_file() {
  local deadline=$(($(date +%s%N) / 1000000 + $2))
  while [ ! -e "$1" ] || [ "$(file_id "$1")" = "$3" ]; do
    [ $(($(date +%s%N) / 1000000)) -ge "$deadline" ] && return 1
    sleep 0.002
  done
}

# The moment of the kill, by phase. The clean-up runs 10 seconds after the first report
# of the run; the compaction after its delete, writing QuillmarkC.dat while it copies.
phases=(recording clean-up compaction)
wait_for_kill_moment() {
  case $1 in
    recording) sleep_ms "$(rand 300 6000)" ;;
    clean-up) sleep_ms "$(rand 9700 11500)" ;;
    compaction)
      wait_for_new_file "$journal_dir/QuillmarkC.dat" 25000 "$copy_before" &&
        sleep_ms "$(rand 0 "${QM_CRASH_COMPACTION_MS:-40}")" ;;
  esac
}

start_scenario() {
  wine "$bck" </dev/null >/dev/null 2>&1 &
  victim=$!
  wine "$helper" stream "$run" </dev/null >/dev/null 2>&1 &
  feeder=$!
}

journal_dir=""
failures=0 kills=0 stale=0 hot=0 deleted=0 reports=0 rows=0
declare -A killed_in=()
for ((run = 1; run <= runs; run++)); do
  phase=${phases[$(((run - 1) % ${#phases[@]}))]}
  folder=$(wine "$helper" prepare "$run" "$old_rows" </dev/null 2>&1 | tr -d '\r')
  if [ $? -ne 0 ] || [ -z "$folder" ]; then
    echo "run $run: FAILED: cannot prepare: $folder"
    failures=$((failures + 1))
    break
  fi
  [ -n "$journal_dir" ] || journal_dir=$(winepath -u "$folder" 2>/dev/null | tr -d '\r')
  copy_before=$(file_id "$journal_dir/QuillmarkC.dat")
  start_scenario
  wait_for_kill_moment "$phase"
  case $(tr '\0' ' ' <"/proc/$victim/cmdline" 2>/dev/null) in
    *QuillmarkBck.exe*) ;;
    *)
      echo "run $run: FAILED: QuillmarkBck.exe ended before the kill"
      failures=$((failures + 1))
      wait "$feeder"
      continue
      ;;
  esac
  kill -9 "$victim"
  wait "$victim" 2>/dev/null
  kills=$((kills + 1))
  killed_in[$phase]=$((${killed_in[$phase]:-0} + 1))
  copy_after=$(file_id "$journal_dir/QuillmarkC.dat")
  [ -n "$copy_after" ] && [ "$copy_after" != "$copy_before" ] && stale=$((stale + 1))
  wait "$feeder"
  line=$(wine "$helper" check "$run" "$old_rows" </dev/null 2>&1 | tr -d '\r')
  echo "$line (killed: $phase)"
  case $line in *": ok;"*) ;; *) failures=$((failures + 1)) ;; esac
  case $line in *"hot journal yes"*) hot=$((hot + 1)) ;; esac
  case $line in *"old rows deleted"*) deleted=$((deleted + 1)) ;; esac
  n=$(sed -n 's/.*; reports \([0-9]*\).*/\1/p' <<<"$line")
  reports=$((reports + ${n:-0}))
  rows=$(sed -n 's/.*; rows \([0-9]*\).*/\1/p' <<<"$line")
done

echo "crash-safety: $((run - 1)) runs, $kills kills (recording ${killed_in[recording]:-0}," \
  "clean-up ${killed_in[clean-up]:-0}, compaction ${killed_in[compaction]:-0});" \
  "$reports reports checked, ${rows:-0} rows in the journal at the end;" \
  "clean-ups completed before the kill $deleted, compaction copies left by a kill $stale," \
  "hot journals rolled back $hot; failures $failures"
[ $failures -eq 0 ]
