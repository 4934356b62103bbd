#!/usr/bin/env bash
# Makes docs/bar-wide.png, docs/bar-narrow.png and docs/lyrics-window.png, and
# docs/bar-narrow-2x.png: the narrow bar at twice the scale.
#   run_screenshots.sh BUILD_DIR [OUTDIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
program="$1/tests/bar/bar_screenshots"
out="${2:-$top/docs}"
shoot() {
  xvfb-run -a -s "-screen 0 $1x24" env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="${3:-1}" \
    "$program" "$out" "$2"
}
shoot 1600x900 bar-wide
shoot 800x600 bar-narrow
shoot 1024x768 lyrics-window
shoot 1600x1200 bar-narrow-2x 2
