#!/usr/bin/env bash
# Installs what the builds, the tests and the program need, and prepares the Wine prefix.
# Idempotent: installs only what is missing. Works as root without a terminal.
#   tools/setup.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${ZV_BUILD:-$root/build}}
case "$build" in /*) ;; *) build=$root/$build ;; esac

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev python3
  wine wine64 fonts-wine fonts-liberation
  xvfb xauth x11-utils imagemagick ghostscript
  wamerican mythes-en-us scowl
  zlib1g-dev libz-mingw-w64-dev lzma-dev
  libxml2-dev python3-tinycss2 poppler-utils
  # Wine decodes Windows Media video through GStreamer: the ASF demuxer (ugly), the WMV decoders
  # (libav) and the elements its parser joins them with (base, good).
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" = 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq </dev/null
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

# The Wine prefix lives in the build tree; it is created once, unattended.
source "$root/tools/wine-env.sh" "$build"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: the Wine prefix could not be created" >&2
    exit 1
  fi
fi
# Wine's own fonts (Marlett draws the caption buttons, Tahoma the dialogs) are not found in
# /usr/share/wine/fonts by this Wine: the prefix gets copies.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ] && [ -d /usr/share/wine/fonts ]; then
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
fi
# Text files print with the shell's print verb (the assessment printout): a Windows machine names
# their class; this Wine's prefix registers the class with its verbs but leaves ".txt" unnamed.
if ! grep -q '^\[Software\\\\Classes\\\\.txt\]' "$WINEPREFIX/system.reg"; then
  wine reg add 'HKCR\.txt' /ve /d txtfile /f </dev/null >/dev/null 2>&1 || true
  wineserver -w || true
fi
