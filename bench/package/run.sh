#!/usr/bin/env bash
# Times the silent setup program (from its start to its end, which includes starting the
# background program and waiting for its worker window) and the silent uninstallation
# under Wine, each run in a fresh copy of the test prefix (Wine already started), and
# prints the package's sizes. Package first (scripts/package.sh).
# Usage: bench/package/run.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
runs=${1:-3}
. "$root/scripts/wine-env.sh"
template=$out/native/wineprefix-template
if ! qm_prefix_ready "$template"; then
  bash "$root/scripts/wine-prefix.sh" "$template"
fi
arch=x86
[ "$QM_WINE_ARCH" = win64 ] && arch=x64
setup=$(ls "$out"/package/Quillmark-*-setup-$arch.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
  echo "bench: no setup program in $out/package; run scripts/package.sh first" >&2
  exit 1
fi
echo "bench: $QM_WINE_MODE"
for f in "$out"/package/Quillmark-*; do
  [ -f "$f" ] && echo "bench: $(basename "$f") $(stat -c %s "$f") bytes"
done

for run in $(seq "$runs"); do
  prefix=$(mktemp -d /tmp/qm-bench-package.XXXXXX)
  cp -a "$template/." "$prefix/"
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    setup=$1 run=$2
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    dir="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Quillmark"
    t0=$(date +%s%N)
    wine "$setup" /S </dev/null
    t1=$(date +%s%N)
    # The uninstaller goes on in a copy of itself; it is done once the folder has gone.
    wine "$dir/Uninstall.exe" /S </dev/null
    for i in $(seq 1200); do [ -d "$dir" ] || break; sleep 0.05; done
    t2=$(date +%s%N)
    echo "bench: run $run: install $(( (t1 - t0) / 1000000 )) ms, uninstall $(( (t2 - t1) / 1000000 )) ms"
    wineserver -k >/dev/null 2>&1' bench "$setup" "$run"
  rm -rf "$prefix"
done
