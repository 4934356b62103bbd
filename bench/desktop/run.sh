#!/usr/bin/env bash
# The desktop's sound path: delay from starting playback to first sound through a private
# PulseAudio, ours beside mpv's in the same run. usage: bench/desktop/run.sh BUILD_FOLDER
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
exec "$top/tests/run_with_sound_server.sh" python3 "$top/bench/desktop/first_sound.py" \
  "$build/app/cli/sorvane-cli" "$top/tests/fixtures/tone440_mpeg1_128k_js.mp3" 9
