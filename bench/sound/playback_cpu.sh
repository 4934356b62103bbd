#!/usr/bin/env bash
# What playback costs, beside reference players in the same run: the engine alone against
# `mpg123 -t` on a 5-minute MP3, and the whole program playing the demo song with the analyser
# on against `mpv --no-video --ao=null` on the same file. Prints Markdown table rows.
# usage: bench/sound/playback_cpu.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/../common/demo_session.sh"

# The engine: CPU seconds per minute of playback with the equalizer on and the spectrum polled,
# against mpg123 decoding the same 5 minutes (best of three, start-up included).
sox -n -r 44100 -c 2 -b 16 "$work/src.wav" synth 300 pinknoise synth 300 sine mix 220 \
  synth 300 sine mix 277 synth 300 sine mix 330 gain -8
lame --quiet -b 192 "$work/src.wav" "$work/long.mp3"
mpg_best=""
for _ in 1 2 3; do
  t=$(python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
r = resource.getrusage(resource.RUSAGE_CHILDREN)
print(r.ru_utime + r.ru_stime)' mpg123 -q -t "$work/long.mp3")
  if [ -z "$mpg_best" ] || awk -v a="$t" -v b="$mpg_best" 'BEGIN{exit !(a < b)}'; then mpg_best=$t; fi
done
mpg_per_min=$(awk -v c="$mpg_best" 'BEGIN{printf "%.4f", c / 5}')
engine_per_min=$("$build/bench/decoder/bench_decoder_playback_cpu" "$work/long.mp3" 20)

# The whole program: CPU of all its threads over a stretch of steady playback (from 3 s to 23 s
# of the song, so start-up is left out), taken in turns with mpv, five times each.
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s / 1000}'; }
# Percent of one core that a started process uses from 3 s to 23 s.
steady_percent() {
  local pid=$1 before after
  sleep 3
  before=$(cpu_us "$pid")
  sleep 20
  after=$(cpu_us "$pid")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v a="$before" -v b="$after" 'BEGIN{printf "%.3f", (b - a) / 20e6 * 100}'
}
ours=() theirs=()
for _ in 1 2 3 4 5; do
  (cd "$work/home" && exec "$build/app/sorvane/sorvane" "$song") &
  ours+=("$(steady_percent $!)")
  mpv --no-config --no-video --ao=null "$song" >/dev/null 2>&1 &
  theirs+=("$(steady_percent $!)")
done
median() { printf '%s\n' "$@" | sort -g | sed -n 3p; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", (b > 0 ? a / b : 0)}'; }
program=$(median "${ours[@]}")
mpv=$(median "${theirs[@]}")

echo "| measure | Sorvane | reference | ratio | goal |"
echo "|---|---|---|---|---|"
echo "| engine alone: CPU s per minute of playback (equalizer on, spectrum every 70 ms) | $engine_per_min | mpg123 -t: $mpg_per_min | $(ratio "$engine_per_min" "$mpg_per_min") | ≤ 5 |"
echo "| whole program playing the demo song, analyser on: % of a core (median of 5) | $program | mpv --no-video --ao=null: $mpv | $(ratio "$program" "$mpv") | ≤ 0.7 |"
