#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# under Wine, on one virtual display and one wineserver for the whole run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SUITE_BUILD_DIR:-$root/build}
export SUITE_BUILD_DIR=$build

"$root/tools/setup.sh"
"$root/tools/build.sh"

source "$root/tools/wine-env.sh"
suite_wine_env "$build"
trap 'suite_stop "$build"' EXIT
unset DISPLAY   # tests get a display of their own, never the desktop's
suite_ensure_display "$build"
suite_ensure_prefix "$build"

ctest --test-dir "$build" --output-on-failure -j "${SUITE_TEST_JOBS:-2}" "$@"
