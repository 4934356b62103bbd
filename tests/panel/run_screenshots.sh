#!/usr/bin/env bash
# Makes docs/panel-playing.png and docs/panel-highlight.png, and docs/panel-playing-2x.png at
# twice the scale, from the panel playing the first demo song.
#   run_screenshots.sh BUILD_DIR [OUTDIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
out="${2:-$top/docs}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/demo/prepare.sh" "$build" "$work/home" >/dev/null
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen
"$build/tests/panel/panel_screenshots" "$out" "$work/home"
QT_SCALE_FACTOR=2 "$build/tests/panel/panel_screenshots" "$work" "$work/home"
mv "$work/panel-playing.png" "$out/panel-playing-2x.png"
