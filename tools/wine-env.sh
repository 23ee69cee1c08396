# Sourced: sets the Wine environment for the build tree given as $1 (default: build).
_zv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
_zv_build=${1:-${ZV_BUILD:-$_zv_root/build}}
case "$_zv_build" in /*) ;; *) _zv_build=$_zv_root/$_zv_build ;; esac
export WINEPREFIX="$_zv_build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
unset _zv_root _zv_build
