#!/usr/bin/env bash
# Builds the Debian package q36cps_<version>_amd64.deb in the build folder (default build/) and
# prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${Q36_BUILD_DIR:-build}}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
rm -f "$build"/q36cps_*.deb
cmake --build "$build" -j 2 --target package >"$build/package.log" 2>&1 || {
  tail -n 40 "$build/package.log" >&2
  exit 1
}
ls "$PWD/$build"/q36cps_*_amd64.deb
