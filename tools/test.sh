#!/usr/bin/env bash
# Installs what is missing, builds both architectures and runs the whole
# test suite under Wine for every architecture this host can execute, each
# on one virtual display and one wineserver. An architecture the host
# cannot run is built (build errors still fail) and named, not tested.
# Arguments go to ctest (e.g. -R snapview). SUITE_X64_ONLY=1 takes the path
# of a host that runs no 32-bit programs; SUITE_ARCH=x86|x64 builds and
# tests one architecture only. The data-access tests get a PostgreSQL
# server of this run's own (tools/postgres.sh) through SUITE_POSTGRES,
# unless SUITE_POSTGRES already names one or SUITE_NO_POSTGRES=1 opts out.
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
if [ -z "${SUITE_POSTGRES:-}" ] && [ "${SUITE_NO_POSTGRES:-}" != 1 ]; then
  postgres_dir=$build_root/postgres
  if SUITE_POSTGRES=$("$root/tools/postgres.sh" start "$postgres_dir"); then
    export SUITE_POSTGRES
    trap '"$root/tools/postgres.sh" stop "$postgres_dir"' EXIT
    echo "test: PostgreSQL for this run on 127.0.0.1:$(sed 's/.*Port=\([0-9]*\).*/\1/' <<<"$SUITE_POSTGRES")"
  else
    echo "test: PostgreSQL did not start: the tests that need it will fail" >&2
    status=1
  fi
fi
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
