#!/bin/bash
# Builds the hyperlink benchmark and runs it:  bench/links_win32/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" links_bench "$@"
