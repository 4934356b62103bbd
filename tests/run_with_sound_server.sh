#!/usr/bin/env bash
# Runs a test beside a private PulseAudio server, as desktops run one: in a runtime folder of its
# own, with one null sink named "heard" whose monitor a test records with parec. PULSE_SERVER and
# SORV_PULSE_PID tell the test where it is (the pid lets a test take the server away).
# usage: run_with_sound_server.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/background_server.sh"
runtime=$server_folder
HOME="$runtime" XDG_RUNTIME_DIR="$runtime" pulseaudio --daemonize=no --system=false -n \
  --exit-idle-time=-1 --disallow-exit --disable-shm=true \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$runtime/native" \
  --load="module-null-sink sink_name=heard rate=44100" \
  --load="module-always-sink" >"$runtime/log" 2>&1 &
server_pid=$!
if ! wait_for_server env PULSE_SERVER="unix:$runtime/native" pactl info >/dev/null 2>&1; then
  echo "run_with_sound_server: PulseAudio did not start:" >&2
  cat "$runtime/log" >&2
  exit 1
fi

export PULSE_SERVER="unix:$runtime/native" SORV_PULSE_PID=$server_pid
status=0
"$@" || status=$?
exit $status
