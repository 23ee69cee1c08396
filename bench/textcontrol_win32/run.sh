#!/bin/bash
# Builds the text control's window benchmark in a Windows tree and runs it under Wine with a display.
#   bench/textcontrol_win32/run.sh [BUILD]     (default build tree: ./build)
exec "$(dirname "$0")/../wine-run.sh" txwin_bench "$@"
