#!/bin/bash
# Builds the Word conversion benchmark and runs it under Wine:  bench/convert_win32/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" convert_bench "$@"
