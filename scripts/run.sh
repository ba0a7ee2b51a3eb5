#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the programs and runs them under Wine in a prefix
# of their own (build/demo-prefix, never ~/.wine): the background program is started,
# a few folders are reported to it as Explorer would, and the launcher window opens.
# Without an X display the programs run on a virtual one (Xvfb) and a screenshot of the
# screen is written to build/demo-screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
. "$root/scripts/wine-env.sh"
echo "run: $QM_WINE_MODE"
if [ "$QM_WINE_ARCH" = win64 ]; then
  bash "$root/scripts/build.sh" --x64
else
  bash "$root/scripts/build.sh"
fi
out=${QM_BUILD_DIR:-$root/build}
bin=$out/$QM_WIN_SUBDIR/bin
export WINEPREFIX=${QM_DEMO_PREFIX:-$out/demo-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if ! qm_prefix_ready "$WINEPREFIX"; then
  echo "run: making the Wine prefix $WINEPREFIX"
  bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
fi
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  own_display=1
  sleep 1
  # No window manager on the virtual display: Wine draws the title bars itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
fi

wine "$bin/QuillmarkBck.exe" >/dev/null 2>&1 &
# Give the worker window a moment to appear; the report tool waits for it as well.
sleep 2
if [ -f "$bin/QuillmarkReport.exe" ]; then
  user_dir=$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
  wine "$bin/QuillmarkReport.exe" \
    "windows" 'C:\windows' \
    "system32" 'C:\windows\system32' \
    "Fonts" 'C:\windows\Fonts' \
    "Program Files" 'C:\Program Files' \
    "$(basename "${user_dir//\\//}")" "$user_dir" >/dev/null 2>&1 || true
fi
# A user's very first start of the launcher greets them with its welcome texts instead of
# the list. In a new demo prefix, get that first start over with so the demo shows the
# folders just reported: start it once, wait until it has noted the first start, close it.
settings='HKCU\Software\Tarnhold\Quillmark\CurrentSettings'
if ! wine reg query "$settings" /v SetupDone >/dev/null 2>&1; then
  wine "$bin/Quillmark.exe" >/dev/null 2>&1 &
  first_pid=$!
  for _ in $(seq 1 30); do
    wine reg query "$settings" /v SetupDone >/dev/null 2>&1 && break
    sleep 0.5
  done
  wine taskkill /im Quillmark.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 20); do kill -0 "$first_pid" 2>/dev/null || break; sleep 0.5; done
fi
wine "$bin/Quillmark.exe" >/dev/null 2>&1 &
app_pid=$!

if [ $own_display = 1 ]; then
  sleep 5
  import -window root "$out/demo-screenshot.png" 2>/dev/null || true
  echo "run: screenshot written to $out/demo-screenshot.png"
  wineserver -k || true
  kill "$xvfb_pid" 2>/dev/null || true
else
  echo "run: Quillmark is running; close its window to end. The background program keeps"
  echo "     running in the prefix until 'WINEPREFIX=$WINEPREFIX wineserver -k'."
  wait "$app_pid" || true
fi
