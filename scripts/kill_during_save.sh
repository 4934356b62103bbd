#!/usr/bin/env bash
# For now and then: ends the player with kill -9 at random moments 0-40 ms after its end signal,
# while it saves, a different song each time, and checks that the state file and the saved play
# list stay complete and that a clean start still comes up.
#   scripts/kill_during_save.sh [RUNS] [BUILD_DIR]     (default 80 runs, build)
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-80}
build=$(cd "${2:-$top/build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$runs" "$build"
fi
work=$(mktemp -d)
trap 'pkill -9 -f "$work" 2>/dev/null; rm -rf "$work"' EXIT
bash "$top/demo/prepare.sh" "$build" "$work/home" >/dev/null
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work" XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
player="$build/app/sorvane/sorvane"
songs=("$work"/home/songs/*.mp3)
cd "$work/home"

# Waits until the player shows a window, then sends the end signal.
start_then_end() {
  "$player" "$@" 2>/dev/null &
  pid=$!
  for _ in $(seq 50); do
    xdotool search --pid "$pid" --onlyvisible --name . >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.3
  kill -TERM "$pid"
}

# Complete: every state line is there, and every listed song exists.
complete() {
  [ "$(wc -l <sorvane.dat)" -ge 19 ] || return 1
  local list line
  list=$(find . -maxdepth 3 -name sorvane.m3u | head -1)
  [ -n "$list" ] || return 0
  while IFS= read -r line; do
    line=${line%$'\r'}
    [ -z "$line" ] || [ -f "$line" ] || return 1
  done <"$list"
}

start_then_end "${songs[0]}"
wait "$pid"
damaged=0
alive=0
for run in $(seq "$runs"); do
  start_then_end "${songs[$((run % ${#songs[@]}))]}"
  sleep "$(awk -v s="$run" 'BEGIN {srand(s); printf "%.4f", rand() * 0.04}')"
  kill -KILL "$pid" 2>/dev/null && alive=$((alive + 1))
  wait "$pid" 2>/dev/null
  complete || { damaged=$((damaged + 1)); echo "run $run left a damaged file"; }
done
"$player" 2>/dev/null &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null && came_up=yes || came_up=no
kill -TERM "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
leftovers=$(find . -maxdepth 1 -name '.sorvane-tmp-*' | wc -l)
echo "kills $runs ($alive while it still ran), damaged $damaged, clean start came up: $came_up, temporary files left: $leftovers"
[ "$damaged" = 0 ] && [ "$came_up" = yes ] && [ "$leftovers" = 0 ]
