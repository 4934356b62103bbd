#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal build and in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer. Whole-program tests get an X server.
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
  (cd "$top/$dir" && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
      ctest --output-on-failure -j "$(nproc)") || status=1
done
exit $status
