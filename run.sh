#!/usr/bin/env bash
# Sets up what is missing, builds the Windows build and starts Zorvik under Wine.
#   ./run.sh [MARKER-FILE]                 start the program (on the sample module when one is built,
#                                          or on the module whose marker file is given)
#   ./run.sh --screenshot FILE [MARKER]    run it on a virtual display, wait until its window shows,
#                                          save a PNG of the screen to FILE and close the program
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=${ZV_BUILD:-$root/build}
case "$build" in /*) ;; *) build=$root/$build ;; esac

shot=""
if [ "${1:-}" = "--screenshot" ]; then
  [ -n "${2:-}" ] || { echo "usage: ./run.sh --screenshot FILE [MARKER-FILE]" >&2; exit 2; }
  shot=$2; shift 2
  case "$shot" in /*) ;; *) shot=$PWD/$shot ;; esac
fi

bash "$root/tools/setup.sh" "$build" || exit 1
source "$root/tools/build.sh"
zv_build_win "$build" || exit 1
source "$root/tools/wine-env.sh" "$build"

exe="$build/win/app/Zorvik.exe"
[ -f "$exe" ] || { echo "run.sh: $exe was not built" >&2; exit 1; }
# Wine keeps the display its server started with: start the session before the first Wine program.
if [ -n "$shot" ]; then
  source "$root/tools/wine-session.sh"
  zv_wine_start "$build"
fi
[ -f "$build/win/controls/Palvex.dll" ] && wine regsvr32 /s "$build/win/controls/Palvex.dll" </dev/null >/dev/null 2>&1
[ -f "$build/win/components/players/win32/Players.dll" ] &&
  wine regsvr32 /s "$build/win/components/players/win32/Players.dll" </dev/null >/dev/null 2>&1
[ -f "$build/win/components/wordproc/win32/WordProc.dll" ] &&
  wine regsvr32 /s "$build/win/components/wordproc/win32/WordProc.dll" </dev/null >/dev/null 2>&1

args=()
if [ -n "${1:-}" ]; then
  args=("$(winepath -w "$1" 2>/dev/null)")
elif [ -f "$build/win/samples/module/000001/000001.zvk" ]; then
  args=("$(winepath -w "$build/win/samples/module/000001/000001.zvk" 2>/dev/null)")
fi

if [ -z "$shot" ]; then
  exec wine "$exe" "${args[@]}"
fi

# Screenshot: the program in the background, a picture once the frame window is mapped, then the
# program is ended.
wine "$exe" "${args[@]}" </dev/null >/dev/null 2>&1 &
pid=$!
status=1
for i in $(seq 1 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Zorvik'; then
    sleep 2   # let it paint
    import -window root "$shot" && status=0
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
[ $status = 0 ] && echo "run.sh: saved $shot" || echo "run.sh: the program's window did not show" >&2
kill "$pid" 2>/dev/null
zv_wine_stop
exit $status
