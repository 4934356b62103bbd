#!/usr/bin/env bash
# Makes docs/bar-wide.png, docs/bar-narrow.png and docs/lyrics-window.png.
#   run_screenshots.sh BUILD_DIR [OUTDIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
program="$1/tests/bar/bar_screenshots"
out="${2:-$top/docs}"
shoot() {
  xvfb-run -a -s "-screen 0 $1x24" env QT_QPA_PLATFORM=xcb "$program" "$out" "$2"
}
shoot 1600x900 bar-wide
shoot 800x600 bar-narrow
shoot 1024x768 lyrics-window
