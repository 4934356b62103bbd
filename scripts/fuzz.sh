#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz) and runs each for a while:
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     (default 120 s; tags lrc m3u state csv)
# Findings land in build-fuzz/findings/TARGET; the corpus grows in build-fuzz/corpus/TARGET.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tags lrc m3u state csv)
bash "$top/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORV_FUZZ=ON -DSORV_BUILD_TESTS=OFF -DSORV_BUILD_BENCH=OFF >/dev/null
cmake --build "$top/build-fuzz" --target "${targets[@]/#/fuzz_}"
fixtures="$top/tests/fixtures"
seed() { # the committed fixtures that suit a target
  case $1 in
    tags) ls "$fixtures"/*.mp3 "$fixtures"/*.wma "$fixtures"/*.rmp ;;
    lrc) ls "$fixtures"/*.lrc "$top"/demo/songs/*.txt ;;
    csv) ls "$top/demo/songs.csv" ;;
    *) ;;
  esac
}
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in "${targets[@]}"; do
  corpus="$top/build-fuzz/corpus/$target" findings="$top/build-fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  for file in $(seed "$target"); do cp -n "$file" "$corpus/" ; done
  echo "== fuzz_$target for $seconds s =="
  "$top/build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 \
    "$corpus" 2>&1 | grep -E '^(#[0-9]+ +DONE|==[0-9]+==|SUMMARY|stat::number_of_executed_units|.*(crash|timeout|leak|oom)-)' || true
  [ -z "$(ls -A "$findings")" ] || { echo "fuzz_$target found faults: $findings"; status=1; }
done
exit $status
