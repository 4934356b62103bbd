#!/usr/bin/env bash
# CPU cost of decoding five minutes of each format through the engine, against
# `ffmpeg -f null` on the same file, and of measuring loudness, against `ffmpeg -af ebur128`,
# as Markdown tables. usage: bench/formats/run.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Five minutes of music-like sound: a chord over pink noise.
sox -n -r 44100 -c 2 -b 16 "$work/src.wav" synth 300 pinknoise synth 300 sine mix 220 \
  synth 300 sine mix 277 synth 300 sine mix 330 gain -8
sox "$work/src.wav" -r 96000 -b 24 "$work/src96.wav"
encode() {  # encode SOURCE OUT ffmpeg-options...
  local source=$1 out=$2
  shift 2
  ffmpeg -loglevel error -y -i "$source" "$@" "$work/$out"
}
encode "$work/src.wav" flac16.flac -c:a flac
encode "$work/src96.wav" flac24_96k.flac -c:a flac
encode "$work/src.wav" aac256.m4a -c:a aac -b:a 256k
encode "$work/src.wav" alac16.m4a -c:a alac
encode "$work/src.wav" vorbis_q5.ogg -c:a libvorbis -q:a 5
encode "$work/src.wav" opus128.opus -c:a libopus -b:a 128k
encode "$work/src.wav" pcm16.wav -c:a pcm_s16le

# Best of three CPU seconds (user + system) of ffmpeg on a file: ffmpeg_cpu FILE [FILTER...]
ffmpeg_cpu() {
  local file=$1
  shift
  for _ in 1 2 3; do
    python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
r = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.4f" % (r.ru_utime + r.ru_stime))' ffmpeg -threads 1 -i "$file" "$@" -f null -
  done | sort -g | head -1
}
# Best of three of one of our programs, which print their own CPU seconds.
ours_cpu() {
  for _ in 1 2 3; do "$build/bench/formats/$1" "$2"; done | sort -g | head -1
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", (b > 0 ? a / b : 0)}'; }

echo "| 5 min of | engine, CPU s | ffmpeg -f null, CPU s | ratio (engine / ffmpeg) |"
echo "|---|---|---|---|"
for file in flac16.flac flac24_96k.flac aac256.m4a alac16.m4a vorbis_q5.ogg opus128.opus pcm16.wav; do
  ours=$(ours_cpu bench_formats_decode "$work/$file")
  theirs=$(ffmpeg_cpu "$work/$file")
  echo "| $file | $ours | $theirs | $(ratio "$ours" "$theirs") |"
done

echo
echo "| loudness of | engine, CPU s per hour of audio | ffmpeg -af ebur128, CPU s per hour | ratio |"
echo "|---|---|---|---|"
for file in flac16.flac aac256.m4a; do
  ours=$(ours_cpu bench_formats_loudness "$work/$file")
  theirs=$(ffmpeg_cpu "$work/$file" -af ebur128)
  per_hour() { awk -v s="$1" 'BEGIN{printf "%.2f", s * 12}'; }
  echo "| $file | $(per_hour "$ours") | $(per_hour "$theirs") | $(ratio "$ours" "$theirs") |"
done
