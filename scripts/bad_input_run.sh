#!/usr/bin/env bash
# The long run of the bad-input corpus, for now and then: a larger corpus under several seeds,
# through the sanitizer build (made if missing). scripts/bad_input_run.sh [SCALE] [SEEDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
scale=${1:-10}
seeds=${2:-5}
[ -x "$top/build-asan/tests/corpus/read_inputs" ] ||
  bash "$top/scripts/build.sh" build-asan -DSORV_SANITIZE=ON -DSORV_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
status=0
for seed in $(seq 1 "$seeds"); do
  echo "== seed $seed, scale $scale =="
  python3 "$top/tests/corpus/run_corpus.py" --build "$top/build-asan" --source "$top" \
    --scale "$scale" --seed "$seed" || status=1
done
exit $status
