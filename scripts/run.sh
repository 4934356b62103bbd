#!/usr/bin/env bash
# Installs what is missing, builds, and starts the player on the demo library, in a working
# folder of its own so that the user's own settings are never touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# Said before the long build, not after it.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset); to run the demo without a desktop: xvfb-run -a scripts/run.sh" >&2
  exit 2
fi
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" build
home="$top/build/demo-home"
bash "$top/demo/prepare.sh" "$top/build" "$home"

# A machine without any sound device (a server, a container) still shows the player at work.
runtime=${XDG_RUNTIME_DIR:-/run/user/$(id -u)}
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! ls /dev/snd/pcm* >/dev/null 2>&1 &&
  [ -z "${PULSE_SERVER:-}" ] && [ ! -S "$runtime/pulse/native" ] && [ ! -S "$runtime/pipewire-0" ]; then
  echo "run.sh: no sound device found, so the demo plays silently" >&2
  export SDL_AUDIODRIVER=dummy
fi

cd "$home"
export XDG_CONFIG_HOME="$home/config"
# A hand-over socket of its own, in a runtime folder of its own: a player the user already runs
# keeps playing undisturbed. The sound servers and the display found through the desktop's
# runtime folder are named in full first.
if [ -n "${XDG_RUNTIME_DIR:-}" ]; then
  export PULSE_SERVER="${PULSE_SERVER:-unix:$XDG_RUNTIME_DIR/pulse/native}"
  export PIPEWIRE_RUNTIME_DIR="${PIPEWIRE_RUNTIME_DIR:-$XDG_RUNTIME_DIR}"
  case "${WAYLAND_DISPLAY:-/}" in /*) ;; *) export WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ;; esac
fi
mkdir -p -m 700 "$home/run"
export TMPDIR="$home" XDG_RUNTIME_DIR="$home/run"
exec "$top/build/app/sorvane/sorvane" "$home/songs/demo.m3u"
