#!/usr/bin/env bash
# Measures the engine against mpg123 and ffmpeg on one 5-minute MP3 and prints Markdown table
# rows. usage: bench/decoder/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
cli="$build/app/cli/sorvane-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# Five minutes of music-like sound: a chord over pink noise, 44.1 kHz stereo, 192 kbit/s.
sox -n -r 44100 -c 2 -b 16 "$work/src.wav" synth 300 pinknoise synth 300 sine mix 220 \
  synth 300 sine mix 277 synth 300 sine mix 330 gain -8
lame --quiet -b 192 "$work/src.wav" "$work/song.mp3"

# Best of three wall seconds of a command.
wall_of() {
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN{print b - a}')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN{exit !(a < b)}'; then best="$t"; fi
  done
  echo "$best"
}
# Best of three of a program that prints its own time.
best_of() {
  for _ in 1 2 3; do "$@"; done | sort -g | head -1
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", (b > 0 ? a / b : 0)}'; }

# The engine in the process, and the command-line tool with its start-up (large libraries).
engine=$(best_of "$build/bench/decoder/bench_decoder_wav_export" "$work/song.mp3" "$work/ours.wav")
tool=$(wall_of "$cli" wav "$work/song.mp3" "$work/tool.wav")
mpg=$(wall_of mpg123 -q -w "$work/mpg.wav" "$work/song.mp3")
ff=$(wall_of ffmpeg -loglevel error -y -i "$work/song.mp3" "$work/ff.wav")
echo "| measure | engine | reference | ratio (engine / reference) |"
echo "|---|---|---|---|"
echo "| WAV export of 5 min, wall s (engine in process) | $engine | mpg123 -w: $mpg | $(ratio "$engine" "$mpg") |"
echo "| WAV export of 5 min, wall s (engine in process) | $engine | ffmpeg: $ff | $(ratio "$engine" "$ff") |"
echo "| WAV export of 5 min, wall s (sorvane-cli wav) | $tool | mpg123 -w: $mpg | $(ratio "$tool" "$mpg") |"


read -r median worst < <("$build/bench/decoder/bench_decoder_start_latency" "$work/song.mp3" 20)
echo "| open to playing, ms (median / worst of 20) | $median / $worst | goal 50 | $(ratio "$median" 50) |"
