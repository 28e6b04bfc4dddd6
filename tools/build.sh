#!/usr/bin/env bash
# Configures (once) and builds the suite for each architecture into its own
# folder: build/x86 (32-bit Windows) and build/x64 (64-bit Windows), under
# $SUITE_BUILD_ROOT when set. SUITE_ARCH=x86 or x64 builds one only.
# Extra arguments go to the build tool; bare names are targets:
# `tools/build.sh skelder Snapview`.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${SUITE_BUILD_ROOT:-$root/build}
arches=${SUITE_ARCH:-x86 x64}

if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
  set -- --target "$@"
fi
for arch in $arches; do
  case $arch in
    x86) toolchain=i686-w64-mingw32 ;;
    x64) toolchain=x86_64-w64-mingw32 ;;
    *) echo "build: unknown architecture '$arch' (x86 or x64)" >&2; exit 2 ;;
  esac
  build=$build_root/$arch
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  echo "build: $arch in $build"
  cmake --build "$build" "$@"
done
