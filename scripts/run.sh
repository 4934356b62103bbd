#!/usr/bin/env bash
# Installs what is missing, builds, and starts the player on the demo library, in a working
# folder of its own so that the user's own settings are never touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" build
home="$top/build/demo-home"
bash "$top/demo/prepare.sh" "$top/build" "$home"

cd "$home"
export XDG_CONFIG_HOME="$home/config"
# A hand-over socket of its own: a player the user already runs keeps playing undisturbed.
export TMPDIR="$home"
exec "$top/build/app/sorvane/sorvane" "$home/songs/demo.m3u"
