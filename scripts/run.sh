#!/usr/bin/env bash
# Installs what is missing, builds, and starts the player on the demo library, in a working
# folder of its own so that the user's own settings are never touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" build
bash "$top/demo/prepare.sh" "$top/build" "$top/build/demo-home"
cd "$top/build/demo-home"
export XDG_CONFIG_HOME="$top/build/demo-home/config"
exec "$top/build/app/sorvane/sorvane" "$top/build/demo-home/songs/demo.m3u"
