#!/usr/bin/env bash
# Runs a test inside a Wayland session as desktops have them: a Weston compositor with XWayland
# beside it, nested as a window on the X server the test was given (so xdotool can move the
# user's pointer on that outer server). The test sees WAYLAND_DISPLAY and DISPLAY (XWayland) as a
# program started in such a session does, and SORV_POINTER_DISPLAY, where the pointer is moved.
# usage: run_in_wayland_session.sh COMMAND [ARGS...]   (inside run_on_own_display.sh)
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "run_in_wayland_session: needs an outer X server" >&2; exit 1; }
source "$(dirname "$0")/background_server.sh"
runtime=$server_folder
# No shell panel: it would cover the top edge where the compact bar hangs.
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n' >"$runtime/weston.ini"
XDG_RUNTIME_DIR="$runtime" weston --config="$runtime/weston.ini" --backend=x11-backend.so \
  --use-pixman --width=1280 --height=1024 --xwayland --socket=wayland-sorv \
  >"$runtime/log" 2>&1 &
server_pid=$!
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/log"; }
session_ready() { [ -S "$runtime/wayland-sorv" ] && [ -n "$(xwayland_display)" ]; }
if ! wait_for_server session_ready; then
  echo "run_in_wayland_session: Weston with XWayland did not start:" >&2
  cat "$runtime/log" >&2
  exit 1
fi

export SORV_POINTER_DISPLAY=$DISPLAY
export DISPLAY=$(xwayland_display) WAYLAND_DISPLAY=$runtime/wayland-sorv XDG_RUNTIME_DIR=$runtime \
  XDG_SESSION_TYPE=wayland
status=0
"$@" || status=$?
exit $status
