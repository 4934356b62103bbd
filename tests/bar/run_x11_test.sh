#!/usr/bin/env bash
# Runs the given test program on a fresh Xvfb screen of 1600 x 900 with the xcb platform. Its
# own server keeps other tests' windows and pointer moves out of the way; the display search
# starts from a number of its own so that servers started at the same moment do not collide.
set -euo pipefail
exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1600x900x24 -noreset" env QT_QPA_PLATFORM=xcb "$@"
