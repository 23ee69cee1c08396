#!/bin/bash
# Builds the program's page road benchmark and runs it under Wine:  bench/program/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" program_bench "$@"
