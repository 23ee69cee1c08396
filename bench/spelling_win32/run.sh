#!/bin/bash
# Builds the checker's Wine benchmark and runs it:  bench/spelling_win32/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" spellwin_bench "$@"
