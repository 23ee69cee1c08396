# Sourced: a Wine session for a build tree, with a display and Wine's background processes kept
# alive until zv_wine_stop, so that each program run costs only its own start.
#   zv_wine_start BUILD    zv_wine_stop
# Both work in scripts that run under "set -e": a step that may fail (no server to stop, a
# registry value that is not there) does not end the script.
_zv_xvfb_pid=""
_zv_keepalive_pid=""

zv_wine_start() {
  local build=$1 root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  source "$root/tools/wine-env.sh" "$build"
  # A server left from the build (the sample module is made under Wine) may hold another display.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      _zv_xvfb_pid=$!
      local i
      for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      if [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
      kill "$_zv_xvfb_pid" 2>/dev/null || true
      _zv_xvfb_pid=""
    done
    if [ -z "${DISPLAY:-}" ]; then
      # No X server could be started: Wine's null driver still runs windows and GDI.
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
    fi
  fi
  # Without a window manager (our own Xvfb) Wine draws the window frames itself; with a desktop's
  # window manager it leaves them to it.
  if [ -n "$_zv_xvfb_pid" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  else
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
  if [ -f "$build/win/tools/keepalive.exe" ]; then
    wine "$build/win/tools/keepalive.exe" </dev/null >/dev/null 2>&1 &
    _zv_keepalive_pid=$!
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

zv_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$_zv_keepalive_pid" ]; then wait "$_zv_keepalive_pid" 2>/dev/null || true; fi
  if [ -n "$_zv_xvfb_pid" ]; then
    kill "$_zv_xvfb_pid" 2>/dev/null || true
    wait "$_zv_xvfb_pid" 2>/dev/null || true
    unset DISPLAY
  fi
  _zv_xvfb_pid=""; _zv_keepalive_pid=""
}
