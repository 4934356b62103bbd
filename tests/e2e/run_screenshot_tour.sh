#!/usr/bin/env bash
# Makes docs/options.png, about.png, folder-picker.png, copy.png and export.png from the running
# program on an X server of its own.
#   run_screenshot_tour.sh BUILD_DIR [OUTDIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
out="${2:-$top/docs}"
SORV_SOURCE_DIR="$top" SORV_BINARY_DIR="$build" SDL_AUDIODRIVER=dummy \
  "$top/tests/run_on_own_display.sh" --screen 1280x1024x24 "$build/tests/e2e/screenshot_tour" "$out"
