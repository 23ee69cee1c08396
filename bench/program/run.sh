#!/usr/bin/env bash
# Builds program_bench in the Windows build and runs it under Wine with a display.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ZV_BUILD:-$root/build}
case "$build" in /*) ;; *) build=$root/$build ;; esac
bash "$root/tools/setup.sh" "$build"
source "$root/tools/build.sh"
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" --target program_bench -j"${ZV_JOBS:-$(nproc)}" >/dev/null
source "$root/tools/wine-session.sh"
zv_wine_start "$build"
wine "$build/win/bench/program/program_bench.exe" </dev/null || status=$?
zv_wine_stop
exit ${status:-0}
