#!/usr/bin/env bash
# Runs a test beside a private PulseAudio server, as desktops run one: in a runtime folder of its
# own, with one null sink named "heard" whose monitor a test records with parec. PULSE_SERVER and
# SORV_PULSE_PID tell the test where it is (the pid lets a test take the server away).
# usage: run_with_sound_server.sh COMMAND [ARGS...]
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

HOME="$runtime" XDG_RUNTIME_DIR="$runtime" pulseaudio --daemonize=no --system=false -n \
  --exit-idle-time=-1 --disallow-exit --disable-shm=true \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$runtime/native" \
  --load="module-null-sink sink_name=heard rate=44100" \
  --load="module-always-sink" >"$runtime/log" 2>&1 &
server=$!
for _ in $(seq 600); do
  [ -S "$runtime/native" ] && PULSE_SERVER="unix:$runtime/native" pactl info >/dev/null 2>&1 && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if ! PULSE_SERVER="unix:$runtime/native" pactl info >/dev/null 2>&1; then
  echo "run_with_sound_server: PulseAudio did not start:" >&2
  cat "$runtime/log" >&2
  exit 1
fi

export PULSE_SERVER="unix:$runtime/native" SORV_PULSE_PID=$server
status=0
"$@" || status=$?
exit $status
