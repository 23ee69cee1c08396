#!/usr/bin/env bash
# Builds the native benchmarks in an optimised tree and runs them all (or those matching $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZV_BUILD:-$root/build}
bash "$root/tools/setup.sh" "$build"
log=$(mktemp)
if ! { cmake -S "$root" -B "$build/bench" -DCMAKE_BUILD_TYPE=Release -DZV_BENCH=ON &&
       cmake --build "$build/bench" -j"${ZV_JOBS:-$(nproc)}"; } >"$log" 2>&1; then
  grep -Ev '^\[ *[0-9]+%\]|^-- ' "$log" | tail -40 >&2 || true
  rm -f "$log"
  echo "bench: the build failed" >&2
  exit 1
fi
rm -f "$log"
find "$build/bench" -name '*_bench' -type f -perm -u+x | sort | while read -r b; do
  [ -n "${1:-}" ] && [[ "$(basename "$b")" != *$1* ]] && continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
