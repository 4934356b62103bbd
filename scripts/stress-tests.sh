#!/usr/bin/env bash
# Runs the built test suites N times in a row while two busy processes load the machine, and
# reports every failure with its test name, so that a test that fails only now and then shows.
# usage: scripts/stress-tests.sh N [BUILD_FOLDER]   (default folder: build; build it first)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:?usage: stress-tests.sh N [BUILD_FOLDER]}
dir="$top/${2:-build}"
[ -f "$dir/CTestTestfile.cmake" ] || { echo "stress-tests: $dir is not a built folder" >&2; exit 2; }

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

busy=()
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done
logs=$(mktemp -d)
trap 'kill "${busy[@]}" 2>/dev/null; rm -rf "$logs"' EXIT

failures=0
for round in $(seq "$rounds"); do
  log="$logs/round$round.log"
  start=$(date +%s)
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)") >"$log" 2>&1
  status=$?
  seconds=$(($(date +%s) - start))
  # The failing CTest entries, and inside them each failing test case by its name.
  failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' |
    sed -E 's/^\s+[0-9]+ - //')
  if [ "$status" -eq 0 ]; then
    echo "round $round: passed in ${seconds} s"
  else
    failures=$((failures + 1))
    echo "round $round: FAILED in ${seconds} s"
    echo "$failed" | sed 's/^/  ctest: /'
    grep -E '^\[  FAILED  \] [^ ]+\.[^ ]+' "$log" | sort -u | sed 's/^\[  FAILED  \] /  case: /'
    cp "$log" "$dir/stress-round$round.log"
    echo "  log: $dir/stress-round$round.log"
  fi
done
echo "$failures of $rounds rounds failed"
[ "$failures" -eq 0 ]
