#!/bin/bash
# Builds the movie page-change benchmark and runs it:  bench/movies_win32/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" movies_bench "$@"
