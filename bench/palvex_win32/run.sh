#!/bin/bash
# Builds the colour list benchmark in a Windows tree and runs it under Wine with a display.
#   bench/palvex_win32/run.sh [BUILD]     (default build tree: ./build)
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${ZV_BUILD:-$root/build}}
source "$root/tools/build.sh"
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" --target palvex_bench -j"${ZV_JOBS:-$(nproc)}" | grep -Ev '^\[ *[0-9]+%\]' || true
set +e
source "$root/tools/wine-session.sh"
zv_wine_start "$build"
wine "$build/win/bench/palvex_win32/palvex_bench.exe" "$(winepath -w "$build/win/controls/Palvex.dll")" 2>&1 | grep -v fixme
rc=${PIPESTATUS[0]}
zv_wine_stop
exit $rc
