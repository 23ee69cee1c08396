#!/usr/bin/env bash
# Builds one Windows benchmark program in a Windows tree and runs it under Wine with a display.
# Works from a clean start (no build tree, no Wine server running); a build that fails shows why.
#   bench/wine-run.sh TARGET [BUILD]     (default build tree: ./build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: bench/wine-run.sh TARGET [BUILD]}
build=${2:-${ZV_BUILD:-$root/build}}
case "$build" in /*) ;; *) build=$root/$build ;; esac
bash "$root/tools/setup.sh" "$build"
source "$root/tools/build.sh"
zv_build_target_win "$build" "$target"
exe=$(find "$build/win/bench" -name "$target.exe" -print -quit)
source "$root/tools/wine-session.sh"
zv_wine_start "$build"
status=0
wine "$exe" </dev/null 2>&1 | grep -v fixme || status=${PIPESTATUS[0]}
zv_wine_stop
exit "$status"
