#!/usr/bin/env bash
# Sets up what is missing, builds both builds and runs every test: the native tests first, then the
# Windows tests under Wine. Exits non-zero on any failure.
#   ZV_BUILD=dir   build tree (default: build)
#   ZV_TESTS=regex run only the tests whose names match (both builds)
#   ZV_JOBS=n      parallel build and test jobs (default: the number of processors)
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=${ZV_BUILD:-$root/build}
case "$build" in /*) ;; *) build=$root/$build ;; esac
jobs=${ZV_JOBS:-$(nproc)}

bash "$root/tools/setup.sh" "$build" || exit 1
source "$root/tools/build.sh"
zv_build_host "$build" || exit 1
zv_build_win "$build" || exit 1

filter=()
[ -n "${ZV_TESTS:-}" ] && filter=(-R "$ZV_TESTS")

status=0
echo "== native tests"
(cd "$build/host" && ctest --output-on-failure -j"$jobs" "${filter[@]}") || status=1

[ -x "$root/tools/fuzz.sh" ] && [ -z "${ZV_TESTS:-}" ] && { bash "$root/tools/fuzz.sh" "$build" || status=1; }

echo "== Windows tests under Wine"
source "$root/tools/wine-session.sh"
zv_wine_start "$build"
(cd "$build/win" && ctest --output-on-failure "${filter[@]}") || status=1
zv_wine_stop
exit $status
