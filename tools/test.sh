#!/usr/bin/env bash
# Installs what is missing, builds both architectures and runs the whole
# test suite under Wine for every architecture this host can execute, each
# on one virtual display and one wineserver. An architecture the host
# cannot run is built (build errors still fail) and named, not tested.
# Arguments go to ctest (e.g. -R snapview). SUITE_X64_ONLY=1 takes the path
# of a host that runs no 32-bit programs; SUITE_ARCH=x86|x64 builds and
# tests one architecture only.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${SUITE_BUILD_ROOT:-$root/build}
export SUITE_BUILD_ROOT=$build_root
unset SUITE_BUILD_DIR

"$root/tools/setup.sh"
"$root/tools/build.sh"

source "$root/tools/wine-env.sh"
unset DISPLAY   # tests get a display of their own, never the desktop's

status=0
tested=()
skipped=()
for arch in ${SUITE_ARCH:-x86 x64}; do
  build=$build_root/$arch
  if ! suite_host_runs "$arch"; then
    echo "test: $(suite_cannot_run_reason "$arch"): the $arch tests were built but not run"
    skipped+=("$arch")
    continue
  fi
  echo "test: running the $arch tests"
  (
    suite_wine_env "$build"
    trap 'suite_stop "$build"' EXIT
    suite_ensure_display "$build"
    suite_ensure_prefix "$build"
    ctest --test-dir "$build" --output-on-failure -j "${SUITE_TEST_JOBS:-2}" "$@"
  ) || status=1
  tested+=("$arch")
done

echo "test: tested ${tested[*]:-nothing}${skipped:+; built but not run: ${skipped[*]}}"
[ ${#tested[@]} -gt 0 ] || { echo "test: no architecture can run on this host" >&2; status=1; }
exit $status
