#!/usr/bin/env bash
# Fetches the SQLite amalgamation (3.50.4) from the npm package better-sqlite3@12.4.1,
# checks the package's SHA-256 and unpacks sqlite3.c/sqlite3.h into third_party/sqlite.
# Idempotent: does nothing when the checked files are already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pkg=better-sqlite3-12.4.1.tgz
sha=14398acbf00d1e8fe0a2753df7d4f15c13138e4b874f4e6e96791f65b4536d0d
cache=$root/third_party/cache
out=$root/third_party/sqlite
if [ -f "$out/sqlite3.c" ] && [ -f "$out/.sha256" ] && [ "$(cat "$out/.sha256")" = "$sha" ]; then
  exit 0
fi
mkdir -p "$cache"
if [ ! -f "$cache/$pkg" ] || ! echo "$sha  $cache/$pkg" | sha256sum -c --status; then
  rm -f "$cache/$pkg"
  (cd "$cache" && npm pack --silent better-sqlite3@12.4.1 >/dev/null)
fi
if ! echo "$sha  $cache/$pkg" | sha256sum -c --status; then
  echo "fetch-sqlite: SHA-256 mismatch for $pkg" >&2
  rm -f "$cache/$pkg"
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tar -xzf "$cache/$pkg" -C "$tmp" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
mkdir -p "$out"
cp "$tmp/package/deps/sqlite3/sqlite3.c" "$tmp/package/deps/sqlite3/sqlite3.h" "$out/"
echo "$sha" > "$out/.sha256"
echo "fetch-sqlite: SQLite amalgamation ready in $out"
