#!/bin/bash
# Builds the table commands benchmark and runs it under Wine:  bench/program/tables.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" tables_bench "$@"
