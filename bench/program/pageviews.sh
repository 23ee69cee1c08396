#!/bin/bash
# Builds the page views benchmark and runs it under Wine:  bench/program/pageviews.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" pageviews_bench "$@"
