#!/usr/bin/env bash
# Crash safety: RUNS times (default 100) a program that writes the journal runs under
# Wine and is killed with SIGKILL at a random moment, five scenarios in turn:
#   recording, clean-up, compaction: QuillmarkBck.exe records a stream of reports and
#     runs its daily clean-up (which deletes old rows and compacts); the kill comes while
#     it records, around the clean-up's delete, or while it compacts.
#   remove, reset: Quillmark.exe is asked, as a user asks it, for Remove from List on a
#     folder with 10000 rows, or for the options dialog's reset of the journal; the kill
#     comes 0 to QM_CRASH_LAUNCHER_MS (default 100) ms after its delete has begun, while
#     it deletes, while it compacts or after.
# After every kill crash_helper.exe checks that the journal passes SQLite's integrity
# check, holds every report the background program had committed, and that each delete
# (the clean-up's, Remove from List's, the reset's) took all it was asked to or nothing,
# and nothing else (tests/e2e/crash/crash_helper_win.cpp says what exactly is checked).
# The journal and the settings carry over from run to run, so each run also starts on
# what the kills before left behind.
#
# Prints one line per run and a summary; fails when any check failed. The test run does
# five runs, one per scenario (CTest "e2e.crash_safety"). QM_CRASH_SEED repeats a run's
# random moments; QM_CRASH_PHASES (e.g. "remove reset") runs only those scenarios. Build
# first (scripts/build.sh, with --x64 where this machine cannot run 32-bit programs).
#
# A further scenario is one more entry of the table phases, what start_scenario starts
# for it and when wait_for_kill_moment lets the kill come.
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
app=$(qm_win_exe "$bin/Quillmark.exe")
template=${QM_WINE_TEMPLATE:-$out/native/wineprefix-template}

if [ -z "${QM_CRASH_ON_DISPLAY:-}" ]; then
  for f in "$helper" "$bck" "$app"; do
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
# The launcher's update check never leaves the machine: a loopback port where nothing
# listens.
export QUILLMARK_UPDATE_URL=http://127.0.0.1:9/download/version_check_rv.xml
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
# The launcher deletes as soon as the helper has given it the command, which the helper
# notes in asked-RUN.txt just before.
phases=(${QM_CRASH_PHASES:-recording clean-up compaction remove reset})
wait_for_kill_moment() {
  case $1 in
    recording) sleep_ms "$(rand 300 6000)" ;;
    clean-up) sleep_ms "$(rand 9700 11500)" ;;
    compaction)
      wait_for_new_file "$journal_dir/QuillmarkC.dat" 25000 "$copy_before" &&
        sleep_ms "$(rand 0 "${QM_CRASH_COMPACTION_MS:-40}")" ;;
    remove | reset)
      wait_for_new_file "$prefix/drive_c/qmcrash/asked-$run.txt" 90000 "" || return 1
      wait_for_delete 10000
      sleep_ms "$(rand 0 "${QM_CRASH_LAUNCHER_MS:-100}")" ;;
  esac
}

# Waits up to $1 ms for the launcher's delete to show in the journal's files: its hot
# journal while the delete runs, the journal file written, or a new compaction copy.
# Until then the launcher may still be closing the menu or the question (under Wine
# without a window manager that takes a second or two).
wait_for_delete() {
  local deadline=$(($(date +%s%N) / 1000000 + $1))
  local journal_id copy_id
  journal_id=$(file_id "$journal_dir/Quillmark.dat")
  copy_id=$(file_id "$journal_dir/QuillmarkC.dat")
  until [ -e "$journal_dir/Quillmark.dat-journal" ] ||
    [ "$(file_id "$journal_dir/Quillmark.dat")" != "$journal_id" ] ||
    [ "$(file_id "$journal_dir/QuillmarkC.dat")" != "$copy_id" ]; do
    [ $(($(date +%s%N) / 1000000)) -ge "$deadline" ] && return 0
    sleep 0.002
  done
}

start_scenario() {
  case $1 in
    remove | reset)
      victim_name=Quillmark.exe
      wine "$app" </dev/null >/dev/null 2>&1 &
      victim=$!
      wine "$helper" "$1" "$run" </dev/null >"$prefix/ask.log" 2>&1 &
      feeder=$!
      ;;
    *)
      victim_name=QuillmarkBck.exe
      wine "$bck" </dev/null >/dev/null 2>&1 &
      victim=$!
      wine "$helper" stream "$run" </dev/null >/dev/null 2>&1 &
      feeder=$!
      ;;
  esac
}

journal_dir=""
failures=0 kills=0 stale=0 hot=0 deleted=0 launcher_done=0 reports=0 rows=0
declare -A killed_in=()
for ((run = 1; run <= runs; run++)); do
  phase=${phases[$(((run - 1) % ${#phases[@]}))]}
  command=""
  case $phase in remove | reset) command=$phase ;; esac
  folder=$(wine "$helper" prepare "$run" "$old_rows" $command </dev/null 2>&1 | tr -d '\r')
  if [ $? -ne 0 ] || [ -z "$folder" ]; then
    echo "run $run: FAILED: cannot prepare: $folder"
    failures=$((failures + 1))
    break
  fi
  [ -n "$journal_dir" ] || journal_dir=$(winepath -u "$folder" 2>/dev/null | tr -d '\r')
  copy_before=$(file_id "$journal_dir/QuillmarkC.dat")
  start_scenario "$phase"
  if ! wait_for_kill_moment "$phase" && [ "$victim_name" = Quillmark.exe ]; then
    # The helper could not give the command (its output says why): nothing to kill in.
    echo "run $run: FAILED: the launcher was not given the command: $(tr -d '\r' <"$prefix/ask.log" 2>/dev/null)"
    failures=$((failures + 1))
    kill -9 "$victim" 2>/dev/null
    wait "$victim" "$feeder" 2>/dev/null
    continue
  fi
  case $(tr '\0' ' ' <"/proc/$victim/cmdline" 2>/dev/null) in
    *"$victim_name"*) ;;
    *)
      echo "run $run: FAILED: $victim_name ended before the kill"
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
  case $line in
    *"launcher's delete done"*) launcher_done=$((launcher_done + 1)) ;;
    *"launcher's delete"*) ;;
    *"old rows deleted"*) deleted=$((deleted + 1)) ;;
  esac
  n=$(sed -n 's/.*; reports \([0-9]*\).*/\1/p' <<<"$line")
  reports=$((reports + ${n:-0}))
  rows=$(sed -n 's/.*; rows \([0-9]*\).*/\1/p' <<<"$line")
done

echo "crash-safety: $((run - 1)) runs, $kills kills (recording ${killed_in[recording]:-0}," \
  "clean-up ${killed_in[clean-up]:-0}, compaction ${killed_in[compaction]:-0}," \
  "remove ${killed_in[remove]:-0}, reset ${killed_in[reset]:-0});" \
  "$reports reports checked, ${rows:-0} rows in the journal at the end;" \
  "clean-ups completed before the kill $deleted, launcher deletes done before the kill $launcher_done," \
  "compaction copies left by a kill $stale, hot journals rolled back $hot; failures $failures"
[ $failures -eq 0 ]
