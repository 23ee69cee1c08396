#!/bin/bash
# Builds one Windows benchmark program in a Windows tree and runs it under Wine with a display.
#   bench/wine-run.sh TARGET [BUILD]     (default build tree: ./build)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: bench/wine-run.sh TARGET [BUILD]}
build=${2:-${ZV_BUILD:-$root/build}}
source "$root/tools/build.sh"
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" --target "$target" -j"${ZV_JOBS:-$(nproc)}" | grep -Ev '^\[ *[0-9]+%\]' || true
exe=$(find "$build/win/bench" -name "$target.exe" -print -quit)
set +e
source "$root/tools/wine-session.sh"
zv_wine_start "$build"
wine "$exe" 2>&1 | grep -v fixme
rc=${PIPESTATUS[0]}
zv_wine_stop
exit $rc
