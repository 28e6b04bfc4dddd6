#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests and build-time tools.
#
#   tools/wine-run.sh path/to/prog.exe [args...]
#
# The program runs in the build folder's private prefix of the build's
# architecture (32-bit for build/x86, 64-bit for build/x64; made once, then
# reused), on the display in $DISPLAY or else on the build's own Xvfb,
# with Wine's debug channels quiet and a hard time limit (SUITE_TIMEOUT
# seconds, default 300). Its exit code is passed through.
set -euo pipefail

tools_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1; shift

# The build folder is the nearest parent of the program with a CMakeCache.txt.
find_build_dir() {
  local d
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != / ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }
    d=$(dirname "$d")
  done
  pwd
}
build_dir=${SUITE_BUILD_DIR:-$(find_build_dir "$exe")}

source "$tools_dir/wine-env.sh"
suite_wine_env "$build_dir"
suite_require_runnable
suite_ensure_display "$build_dir"
suite_ensure_prefix "$build_dir"

limit=${SUITE_TIMEOUT:-300}
if [ -n "${SUITE_DIRECT_OUTPUT:-}" ]; then
  exec timeout -k 5 "$limit" "$WINELOADER" "$exe" "$@"
fi

# Wine starts its background services (the desktop window, the service
# manager) from the first program that needs them, and they inherit that
# program's output. Were that the test runner's pipe, the runner would wait
# for them forever; so the program writes to files that are shown after it
# ends, and it is stopped a little before the runner's own limit.
out=$(mktemp); err=$(mktemp)
trap 'cat "$out"; cat "$err" >&2; rm -f "$out" "$err"' EXIT
status=0
timeout -k 5 "$(( limit > 10 ? limit - 5 : limit ))" "$WINELOADER" "$exe" "$@" >"$out" 2>"$err" || status=$?
[ "$status" -eq 124 ] && echo "wine-run: $exe did not end within ${limit}s" >>"$err"
exit "$status"
