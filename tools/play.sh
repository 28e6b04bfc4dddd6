#!/usr/bin/env bash
# Installs what is missing, builds the game and plays it: under Wine on
# Linux (on the desktop in $DISPLAY, or a virtual one), from the folder
# that holds its sound files.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SUITE_BUILD_DIR:-$root/build}
export SUITE_BUILD_DIR=$build

"$root/tools/setup.sh"
"$root/tools/build.sh" skelder
cd "$build/bin"
SUITE_DIRECT_OUTPUT=1 SUITE_TIMEOUT=${SUITE_TIMEOUT:-86400} exec "$root/tools/wine-run.sh" skelder.exe "$@"
