#!/bin/bash
# Builds the colour list benchmark in a Windows tree and runs it under Wine with a display.
#   bench/palvex_win32/run.sh [BUILD]     (default build tree: ./build)
exec "$(dirname "$0")/../wine-run.sh" palvex_bench "$@"
