#!/usr/bin/env bash
# Configures (once) and builds the suite into ./build, or the folder in
# $SUITE_BUILD_DIR. Extra arguments go to the build tool (e.g. a target).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SUITE_BUILD_DIR:-$root/build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# Bare names are targets: `tools/build.sh skelder Snapview`.
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
  set -- --target "$@"
fi
cmake --build "$build" "$@"
