#!/usr/bin/env bash
# Builds the release artefacts in build/package, one set per Windows build:
#   Quillmark-<version>-setup-x86.exe     32-bit setup program with the i686 programs
#   Quillmark-<version>-setup-x64.exe     64-bit setup program with the x86_64 programs
#   Quillmark-<version>-portable-x86.zip  the same files, to run from any folder
#   Quillmark-<version>-portable-x64.zip
# The programs are stripped copies of the build's (which keeps its symbols for debugging);
# stripping leaves the resources, the version among them, in place.
# Without arguments it builds first (scripts/build.sh --x64); --no-build packages the
# builds as they are, every one that exists (the test run does so).
# QM_BUILD_DIR overrides the build folder (default: build beside the sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
build=1
[ "${1:-}" = "--no-build" ] && build=0
if [ $build = 1 ]; then
  bash "$root/scripts/install-deps.sh"
  bash "$root/scripts/build.sh" --x64
fi

version_part() {
  sed -n "s/^#define QM_VERSION_$1 \\([0-9][0-9]*\\).*/\\1/p" "$root/resources/common/version.h"
}
major=$(version_part MAJOR)
minor=$(version_part MINOR)
build_no=$(version_part BUILD)
version=$major.$minor.$build_no

pkg=$out/package
mkdir -p "$pkg"
programs=(Quillmark.exe QuillmarkBck.exe QuillmarkWatch.exe)
files=(Template.dat watermark.png)
made=0
for arch in x86 x64; do
  if [ $arch = x86 ]; then bin=$out/win/bin tool=i686-w64-mingw32; else bin=$out/win64/bin tool=x86_64-w64-mingw32; fi
  if [ ! -f "$bin/QuillmarkBck.exe" ]; then
    [ $build = 1 ] && { echo "package: $bin holds no build" >&2; exit 1; }
    echo "package: no $arch build in $bin, skipped"
    continue
  fi
  stage=$pkg/stage-$arch/Quillmark
  rm -rf "$pkg/stage-$arch"
  mkdir -p "$stage"
  for p in "${programs[@]}"; do
    "$tool-strip" -o "$stage/$p" "$bin/$p"
    echo "package: $arch $p $(stat -c %s "$bin/$p") bytes, stripped $(stat -c %s "$stage/$p")"
  done
  for f in "${files[@]}"; do cp "$bin/$f" "$stage/$f"; done
  # The help file ships once the build makes one.
  [ -f "$bin/Quillmark.chm" ] && cp "$bin/Quillmark.chm" "$stage/"

  setup=$pkg/Quillmark-$version-setup-$arch.exe
  makensis -V2 -WX \
    "-DQM_ARCH=$arch" "-DQM_VERSION=$version" "-DQM_VERSION_MAJOR=$major" \
    "-DQM_VERSION_MINOR=$minor" "-DQM_VERSION_BUILD=$build_no" "-DQM_STAGE=$stage" \
    "-DQM_ICON=$root/resources/common/quillmark.ico" "-DQM_OUTFILE=$setup" \
    "$root/installer/quillmark.nsi"
  echo "package: $(basename "$setup") $(stat -c %s "$setup") bytes"

  zip=$pkg/Quillmark-$version-portable-$arch.zip
  rm -f "$zip"
  (cd "$pkg/stage-$arch" && cmake -E tar cf "$zip" --format=zip Quillmark)
  echo "package: $(basename "$zip") $(stat -c %s "$zip") bytes"
  made=$((made + 1))
done
if [ $made = 0 ]; then
  echo "package: no Windows build found in $out; run scripts/build.sh --x64 first" >&2
  exit 1
fi
