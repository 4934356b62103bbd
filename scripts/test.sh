#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal build and in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer. Each test that needs an X server starts
# one of its own (tests/run_on_own_display.sh), so tests never share a screen or its pointer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"

bash "$top/scripts/build.sh" build -DSORV_BUILD_BENCH=ON
bash "$top/scripts/build.sh" build-asan -DSORV_SANITIZE=ON -DSORV_BUILD_BENCH=OFF

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for dir in build build-asan; do
  echo "== tests in $dir =="
  (cd "$top/$dir" && ctest --output-on-failure -j "$(nproc)") || status=1
done
exit $status
