#!/usr/bin/env bash
# The whole program: start-up to the first shown panel, and memory while playing, against mpg123
# playing the same song. Prints a Markdown table. usage: bench/app/run.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/../common/demo_session.sh"

# Milliseconds from starting sorvane until its panel is shown, median of five.
startup_ms() {
  local times=()
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    (cd "$work/home" && "$build/app/sorvane/sorvane" "$song" &)
    # Polled every 10 ms: xdotool's own --sync waits half a second between looks.
    until xdotool search --onlyvisible --name '^(♪|そるばね Ver)' >/dev/null 2>&1; do
      sleep 0.01
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    pkill -f "$build/app/sorvane/sorvane" || true
    sleep 0.5
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

# Resident memory in MB of a command after it has played for three seconds.
rss_mb() {
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  local kb
  kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $((kb / 1024))
}

ms=$(startup_ms)
ours=$(cd "$work/home" && rss_mb "$build/app/sorvane/sorvane" "$song")
theirs=$(rss_mb mpg123 -q -o dummy --loop -1 "$song")
echo "| measure | Sorvane | reference | ratio | goal |"
echo "|---|---|---|---|---|"
echo "| start-up to the shown panel, ms (median of 5) | $ms | — | — | < 300 |"
echo "| memory while playing, MB resident | $ours | mpg123: $theirs | $(awk "BEGIN {printf \"%.1f\", $ours / $theirs}") | < 80 |"
