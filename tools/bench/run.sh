#!/usr/bin/env bash
# Runs suite_bench for each architecture this host runs (build/x86 and
# build/x64, built beforehand), from the build's bin folder, in the
# build's own prefix; an architecture the host cannot run gets one line
# saying why. Arguments go to suite_bench (for example `/runs 3`).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine-env.sh"
build_root=${SUITE_BUILD_ROOT:-$root/build}
for arch in ${SUITE_ARCH:-x86 x64}; do
  bin=$build_root/$arch/bin
  if [ ! -f "$bin/suite_bench.exe" ]; then
    echo "suite-bench $arch skipped: $bin/suite_bench.exe not built (SUITE_ARCH=$arch tools/build.sh suite_bench)"
    continue
  fi
  if ! suite_host_runs "$arch"; then
    echo "suite-bench $arch skipped: $(suite_cannot_run_reason "$arch")"
    continue
  fi
  (cd "$bin" && SUITE_TIMEOUT=${SUITE_TIMEOUT:-1800} "$root/tools/wine-run.sh" suite_bench.exe "$@")
done
