#!/usr/bin/env bash
# Runs a test on an X server of its own: tests that click, move the pointer or read window
# captions must never share a screen and its one pointer with another test running beside them.
# The server picks a free display itself (-displayfd), so servers started together never collide.
# usage: run_on_own_display.sh [--screen WxHxD] COMMAND [ARGS...]
set -euo pipefail
screen=1280x1024x24
if [ "${1:-}" = "--screen" ]; then
  screen=$2
  shift 2
fi

work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" 2>"$work/log" &
server=$!
# The server writes its display number once it accepts clients.
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "run_on_own_display: Xvfb did not start:" >&2
  cat "$work/log" >&2
  exit 1
fi

export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
unset XAUTHORITY
# Not exec: the trap must stop the server when the test ends.
status=0
"$@" || status=$?
exit $status
