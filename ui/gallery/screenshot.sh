#!/usr/bin/env bash
# Shows the control gallery under Wine on a virtual display and saves a screenshot of the screen.
#   ui/gallery/screenshot.sh OUT.png [BUILD_DIR]      (BUILD_DIR default: build, as ./test.sh)
# The gallery must be built first (./test.sh, or cmake --build BUILD/win --target ui_gallery).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:?usage: screenshot.sh OUT.png [BUILD_DIR]}
build=${2:-${ZV_BUILD:-$root/build}}
case "$build" in /*) ;; *) build=$root/$build ;; esac
case "$out" in /*) ;; *) out=$PWD/$out ;; esac
exe=$(find "$build/win" -name ui_gallery.exe -print -quit)
[ -n "$exe" ] || { echo "ui_gallery.exe is not built in $build/win" >&2; exit 1; }

source "$root/tools/wine-session.sh"
zv_wine_start "$build"
trap zv_wine_stop EXIT
wine "$exe" --seconds 6 </dev/null >/dev/null 2>&1 &
gallery=$!
sleep 3
import -window root "$out"
wait "$gallery" || true
echo "saved $out"
