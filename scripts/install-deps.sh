#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Idempotent: packages
# already present are not touched, so a second run costs a second or two.
set -euo pipefail
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

# fp-utils brings chmcmd, which compiles the help file; clang-14 and its runtimes build
# the sanitizer tree and the libFuzzer targets.
pkgs=(cmake make g++ npm googletest libgtest-dev clang-14 libclang-rt-14-dev
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
      wine wine32:i386 wine64 xvfb xauth xdotool fonts-wine x11-utils imagemagick
      nsis fp-utils)
missing=()
for p in "${pkgs[@]}"; do
  # npm installed outside the package manager (a Node.js installation) serves as well.
  if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
bash "$(dirname "$0")/fetch-sqlite.sh"
