#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# BUILD/fuzz and runs each for a bounded time over its committed seed corpus. Exits non-zero when
# a target crashes, leaks or trips a sanitizer; the crashing input is left in BUILD/fuzz.
#   tools/fuzz.sh [BUILD]       ZV_FUZZ_SECONDS=20 (per target)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${ZV_BUILD:-$root/build}}
case "$build" in /*) ;; *) build=$root/$build ;; esac
seconds=${ZV_FUZZ_SECONDS:-20}
out=$build/fuzz

echo "== fuzzing (${seconds} s per target)"
cmake -S "$root/components/textcontrol/fuzz" -B "$out" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$out" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; [ "${PIPESTATUS[0]}" = 0 ] || exit 1

# The dictionary readers' targets are a project of their own beside the text control's.
cmake -S "$root/components/spelling/fuzz" -B "$out/spelling" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$out/spelling" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; [ "${PIPESTATUS[0]}" = 0 ] || exit 1
ln -sf spelling/FuzzSpellDictionary spelling/FuzzThesaurus spelling/FuzzUserWords "$out/"

# And the control library's registry value decoder.
cmake -S "$root/controls/fuzz" -B "$out/controls" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$out/controls" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; [ "${PIPESTATUS[0]}" = 0 ] || exit 1
ln -sf controls/FuzzRegistryValue "$out/"

status=0
run() {  # target, seed folder, extra options
  local target=$1 seeds=$2; shift 2
  local work=$out/corpus-$target
  mkdir -p "$work"
  echo "-- $target"
  (cd "$out" && ./"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 "$@" "$work" "$seeds" >"$out/$target.log" 2>&1)
  local rc=$?
  grep -E '^(stat::number_of_executed_units|#[0-9]+ *DONE)' "$out/$target.log" | tail -2
  if [ $rc -ne 0 ]; then
    echo "fuzz: $target failed (exit $rc); see $out/$target.log" >&2
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$out/$target.log" | head -5 >&2
    status=1
  fi
}
run FuzzTxm "$root/components/textcontrol/fuzz/corpus/txm"
run FuzzRtf "$root/components/textcontrol/fuzz/corpus/rtf" -dict="$root/components/textcontrol/fuzz/rtf.dict"
run FuzzSpellDictionary "$root/components/spelling/fuzz/corpus/dictionary"
run FuzzThesaurus "$root/components/spelling/fuzz/corpus/thesaurus"
run FuzzUserWords "$root/components/spelling/fuzz/corpus/userwords"
run FuzzRegistryValue "$root/controls/fuzz/corpus/registry"
exit $status
