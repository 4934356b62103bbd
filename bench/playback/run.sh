#!/usr/bin/env bash
# Starting a track whose ID3v2 tag holds 80,000 TXXX frames, against the same song without them
# (tools that parse such a tag frame by frame into a list take minutes: ffprobe 82 s, mpg123
# about 30 s, so they are left out). Prints Markdown table rows.
# usage: bench/playback/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# Thirty seconds of tone as a 192 kbit/s MP3, then a copy behind an ID3v2.3 tag of a title and
# 80,000 TXXX frames (about 2.5 MB of tag).
sox -n -r 44100 -c 2 -b 16 "$work/src.wav" synth 30 sine 440 gain -8
lame --quiet -b 192 "$work/src.wav" "$work/plain.mp3"
python3 - "$work/plain.mp3" "$work/tagged.mp3" <<'PY'
import struct, sys
def frame(name, body):
    return name + struct.pack(">I", len(body)) + b"\0\0" + body
frames = [frame(b"TIT2", b"\0Many frames")]
frames += [frame(b"TXXX", b"\0KEY%d\0value %d" % (i, i)) for i in range(80000)]
body = b"".join(frames)
size = len(body)
syncsafe = bytes([(size >> 21) & 127, (size >> 14) & 127, (size >> 7) & 127, size & 127])
with open(sys.argv[2], "wb") as out:
    out.write(b"ID3\3\0\0" + syncsafe + body + open(sys.argv[1], "rb").read())
PY

start="$build/bench/playback/bench_playback_track_start"
read -r plain plainWorst < <("$start" "$work/plain.mp3" 5)
read -r tagged taggedWorst < <("$start" "$work/tagged.mp3" 5)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", (b > 0 ? a / b : 0)}'; }
echo "| measure | Sorvane | reference | ratio |"
echo "|---|---|---|---|"
echo "| track start, 30 s MP3, ms (median / worst of 5) | $plain / $plainWorst | — | — |"
echo "| track start, same MP3 with 80,000 TXXX frames, ms | $tagged / $taggedWorst | plain file: $plain | $(ratio "$tagged" "$plain") |"
