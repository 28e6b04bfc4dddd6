#!/usr/bin/env bash
# Installs what is missing, builds the game and plays it: under Wine on
# Linux (on the desktop in $DISPLAY, or a virtual one), from the folder
# that holds its sound files. The x86 build where this host runs 32-bit
# programs, the x64 build otherwise; SUITE_ARCH=x86|x64 chooses.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${SUITE_BUILD_ROOT:-$root/build}
source "$root/tools/wine-env.sh"

"$root/tools/setup.sh"
arch=${SUITE_ARCH:-}
if [ -z "$arch" ]; then
  if suite_host_runs x86; then arch=x86; else arch=x64; fi
fi
if ! suite_host_runs "$arch"; then
  echo "play: cannot run the $arch build here: $(suite_cannot_run_reason "$arch")" >&2
  exit 1
fi
SUITE_ARCH=$arch "$root/tools/build.sh" skelder
cd "$build_root/$arch/bin"
SUITE_DIRECT_OUTPUT=1 SUITE_TIMEOUT=${SUITE_TIMEOUT:-86400} exec "$root/tools/wine-run.sh" skelder.exe "$@"
