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

source "$(dirname "$0")/background_server.sh"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$server_folder/display" \
  2>"$server_folder/log" &
server_pid=$!
# The server writes its display number once it accepts clients.
if ! wait_for_server test -s "$server_folder/display"; then
  echo "run_on_own_display: Xvfb did not start:" >&2
  cat "$server_folder/log" >&2
  exit 1
fi

export DISPLAY=":$(tr -d '[:space:]' <"$server_folder/display")"
unset XAUTHORITY
# Not exec: the trap must stop the server when the test ends.
status=0
"$@" || status=$?
exit $status
