# Sourced by every script that runs Windows programs under Wine. Decides, once per
# script, which Windows build runs on this machine and under which Wine loader:
#   - the i686 build in win32 prefixes, where the kernel runs 32-bit programs;
#   - the x86_64 build under Wine's 64-bit loader in win64 prefixes, where it does not
#     (the kernel log then says "32-bit emulation disabled"), or when QM_FORCE_WIN64=1.
# Sets QM_WINE_ARCH (win32 or win64), QM_WIN_SUBDIR (win or win64, the build folder
# beside native), QM_WINE_MODE (one line saying which and why) and, for win64, puts a
# `wine` shim first on PATH: Debian's wine script always prefers the 32-bit loader once
# wine32 is installed, and wineboot, `wine reg` and the rest go through it.

qm_can_run_32bit() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

qm_wine_select() {
  if [ "${QM_FORCE_WIN64:-0}" = 1 ]; then
    QM_WINE_ARCH=win64
    QM_WINE_MODE="QM_FORCE_WIN64=1: testing the x86_64 build under the 64-bit loader"
  elif qm_can_run_32bit; then
    QM_WINE_ARCH=win32
    QM_WINE_MODE="32-bit programs run here: testing the i686 build under the 32-bit loader"
  else
    QM_WINE_ARCH=win64
    QM_WINE_MODE="32-bit programs cannot run here: testing the x86_64 build under the 64-bit loader"
  fi
  if [ $QM_WINE_ARCH = win64 ]; then
    QM_WIN_SUBDIR=win64
    local shim=${TMPDIR:-/tmp}/qm-wine64-shim-$(id -u)
    if [ ! -x "$shim/wine" ] || [ ! -x "$shim/wine-stable" ]; then
      mkdir -p "$shim"
      local body='#!/bin/sh
export WINELOADER=/usr/lib/wine/wine64
exec /usr/lib/wine/wine64 "$@"'
      # Written under a temporary name and renamed, so parallel tests never run half a file.
      printf '%s\n' "$body" > "$shim/wine.$$" && chmod +x "$shim/wine.$$" && mv -f "$shim/wine.$$" "$shim/wine"
      printf '%s\n' "$body" > "$shim/wine-stable.$$" && chmod +x "$shim/wine-stable.$$" \
        && mv -f "$shim/wine-stable.$$" "$shim/wine-stable"
    fi
    case ":$PATH:" in *":$shim:"*) ;; *) PATH=$shim:$PATH ;; esac
    export WINELOADER=/usr/lib/wine/wine64
  else
    QM_WIN_SUBDIR=win
  fi
  export PATH QM_WINE_ARCH QM_WIN_SUBDIR QM_WINE_MODE
  export WINEARCH=$QM_WINE_ARCH
}

# qm_win_exe PATH: the program to run for a path into the i686 build's bin folder; in
# win64 mode the same program from the x86_64 build beside it.
qm_win_exe() {
  local exe=$1
  if [ "$QM_WINE_ARCH" = win64 ]; then
    case "$exe" in
      */win/bin/*) exe="${exe%%/win/bin/*}/win64/bin/${exe#*/win/bin/}" ;;
    esac
  fi
  printf '%s\n' "$exe"
}

# qm_prefix_ready DIR: true when DIR holds a made prefix of the arch chosen here. A win32
# prefix cannot host the x86_64 build, nor the other way round.
qm_prefix_ready() {
  [ -f "$1/system.reg" ] && grep -q "^#arch=$QM_WINE_ARCH\$" "$1/system.reg"
}

qm_wine_select
