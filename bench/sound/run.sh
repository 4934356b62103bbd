#!/usr/bin/env bash
# What is heard: equalizer accuracy and clipping, dropouts while both cores are busy, how soon
# an equalizer change is heard, the cost of finding the exact length of an MP3 without an Info
# header, and what playback costs beside mpg123 and mpv. Prints Markdown.
# usage: bench/sound/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
bench="$build/bench/decoder"
work="$(mktemp -d)"
busy=()
cleanup() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

echo "### Equalizer accuracy and clipping"
echo
"$bench/bench_decoder_equalizer_figures"

# Five minutes of music-like sound while two processes keep both cores busy; the disk driver
# paces the output like a sound card.
sox -n -r 44100 -c 2 -b 16 "$work/src.wav" synth 300 pinknoise synth 300 sine mix 220 \
  synth 300 sine mix 277 synth 300 sine mix 330 gain -8
lame --quiet -b 192 "$work/src.wav" "$work/song.mp3"
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  busy+=("$!")
done
play_counting_underruns() {
  "$@" "$build/app/cli/sorvane-cli" play --stats --eq 60,40,20,0,-20,-20,0,20,40,60 \
    "$work/song.mp3" 2>/dev/null | sed -n 's/^underruns //p'
}
underruns=$(play_counting_underruns env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null)
# The same through a desktop's sound server: a private PulseAudio with a null sink.
server_underruns=$(play_counting_underruns "$root/tests/run_with_sound_server.sh" \
  env SDL_AUDIODRIVER=pulseaudio)
for pid in "${busy[@]}"; do kill "$pid"; done
busy=()

sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 10 sine 1000 gain -6
read -r median worst < <("$bench/bench_decoder_change_delay" "$work/tone.wav" "$work/heard.raw" \
  2>/dev/null)

# Ten minutes at 128 kbit/s without an Info header.
sox -n -r 44100 -c 2 -b 16 "$work/long.wav" synth 600 pinknoise gain -8
lame --quiet -b 128 -t "$work/long.wav" "$work/long.mp3"
read -r wall cpu seconds < <("$bench/bench_decoder_length_scan" "$work/long.mp3")

echo "### Output and lengths"
echo
echo "| measure | result | goal |"
echo "|---|---|---|"
echo "| underruns playing 5 min (ROCK) with two busy processes on both cores | $underruns | 0 |"
echo "| the same through a private PulseAudio (SDL's pulseaudio driver) | $server_underruns | 0 |"
echo "| heard delay of an equalizer change, ms (median / worst of 8) | $median / $worst | 100 |"
echo "| length of a 10-min MP3 without Info header: open with frame walk, ms (wall / CPU, best of 5) | $wall / $cpu | 30 |"
echo "| length found for it, s | $seconds | 600.03 (decoded) |"

echo
echo "### CPU while playing"
echo
bash "$root/bench/sound/playback_cpu.sh" "$build"
