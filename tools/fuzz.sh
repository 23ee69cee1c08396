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
build_fuzz() {  # source folder, build folder
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
  cmake --build "$2" -j"${ZV_JOBS:-$(nproc)}" 2>&1 | grep -Ev '^\[ *[0-9]+%\]|^-- ' ; [ "${PIPESTATUS[0]}" = 0 ] || exit 1
}
build_fuzz "$root/components/textcontrol/fuzz" "$out"
build_fuzz "$root/app/assessment/fuzz" "$out/assessment"

# The dictionary readers' targets are a project of their own beside the text control's.
build_fuzz "$root/components/spelling/fuzz" "$out/spelling"
ln -sf spelling/FuzzSpellDictionary spelling/FuzzThesaurus spelling/FuzzUserWords "$out/"

# The movie header reader of the player controls.
build_fuzz "$root/components/players/fuzz" "$out/players"
ln -sf players/FuzzMovieHeader "$out/"

# And the control library's registry value decoder.
build_fuzz "$root/controls/fuzz" "$out/controls"
ln -sf controls/FuzzRegistryValue "$out/"

status=0
run() {  # target (a path below BUILD/fuzz), seed folder, extra options
  local target=${1##*/} dir=$out/$(dirname "$1") seeds=$2; shift 2
  local work=$out/corpus-$target
  mkdir -p "$work"
  echo "-- $target"
  (cd "$dir" && ./"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
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
run FuzzHtml "$root/components/textcontrol/fuzz/corpus/html" -dict="$root/components/textcontrol/fuzz/html.dict"
run FuzzTrueType "$root/components/textcontrol/fuzz/corpus/truetype"
run FuzzPicture "$root/components/textcontrol/fuzz/corpus/picture"
run FuzzSpellDictionary "$root/components/spelling/fuzz/corpus/dictionary"
run FuzzThesaurus "$root/components/spelling/fuzz/corpus/thesaurus"
run FuzzUserWords "$root/components/spelling/fuzz/corpus/userwords"
run FuzzRegistryValue "$root/controls/fuzz/corpus/registry"
run FuzzMovieHeader "$root/components/players/fuzz/corpus/header" -dict="$root/components/players/fuzz/header.dict"
run assessment/FuzzTestInfo "$root/app/assessment/fuzz/corpus" -dict="$root/app/assessment/fuzz/testinfo.dict"
exit $status
