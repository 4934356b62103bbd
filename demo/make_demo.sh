#!/usr/bin/env bash
# Makes the demo songs in demo/songs/: short synthesised melodies, each in a key and register of
# its own, encoded as MP3 with Japanese ID3v2 tags, and the LRC lyrics of two of them.
# Needs sox and lame. The results are committed; run this only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/songs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rate=44100
mkdir -p "$out"

# render VOICE BEAT_SECONDS "NOTES" TARGET.wav
# NOTES: pitch:beats pairs, the pitch in semitones from A4 (440 Hz) or r for a rest.
render() {
  local voice=$1 beat=$2 notes=$3 target=$4 i=0 parts=()
  for note in $notes; do
    local pitch=${note%%:*} beats=${note##*:} dur part
    dur=$(awk -v b="$beats" -v s="$beat" 'BEGIN { printf "%.4f", b * s }')
    part="$work/note$((i++)).wav"
    if [ "$pitch" = r ]; then
      sox -n -r $rate -c 1 "$part" trim 0 "$dur"
    else
      sox -n -r $rate -c 1 "$part" synth "$dur" $voice "%$pitch" fade 0.01 "$dur" 0.06
    fi
    parts+=("$part")
  done
  sox "${parts[@]}" "$target"
  rm -f "${parts[@]}"
}

# encode MELODY.wav ACCOMPANIMENT.wav FILE TITLE ARTIST YEAR
encode() {
  local mix="$work/mix.wav"
  sox -m -v 0.5 "$1" -v 0.1 "$2" -c 2 -b 16 "$mix" gain -n -8 reverb 25 gain -n -1
  lame --quiet -b 96 --resample 44.1 -m j --id3v2-only --id3v2-utf16 --tt "$4" --ta "$5" --ty "$6" \
    --tg "Anime" "$mix" "$out/$3"
}

# 星空のオーバーチュア: C major, bright, about half a minute.
star_a="3:2 7:2 10:2 15:2 14:2 12:2 10:4 8:2 10:2 12:2 10:2 7:4 5:4"
star_b="3:2 7:2 10:2 12:2 15:3 14:1 12:4 10:2 8:2 7:2 5:2 3:8"
star_bass_a="-21:8 -26:8 -28:8 -26:8"
star_bass_b="-21:8 -24:8 -28:8 -21:8"
render triangle 0.25 "$star_a $star_b $star_a $star_b" "$work/star.wav"
render pluck 0.25 "$star_bass_a $star_bass_b $star_bass_a $star_bass_b" "$work/star_bass.wav"
encode "$work/star.wav" "$work/star_bass.wav" hoshizora_opening.mp3 \
  "星空のオーバーチュア" "水無月しずく" 1998

# Its off-vocal version: the chords alone, arpeggiated an octave and more below the tune.
arp="-21:2 -17:2 -14:2 -17:2 -26:2 -22:2 -19:2 -22:2 -28:2 -24:2 -21:2 -24:2 -26:2 -22:2 -19:2 -22:2"
render triangle 0.25 "$arp $arp $arp $arp" "$work/arp.wav"
render pluck 0.25 "$star_bass_a $star_bass_b $star_bass_a $star_bass_b" "$work/arp_bass.wav"
encode "$work/arp.wav" "$work/arp_bass.wav" hoshizora_opening_k.mp3 \
  "星空のオーバーチュア (off vocal)" "水無月しずく" 1998

# 風のエンディング: A minor, slow, around A3.
wind="-12:2 -9:2 -7:2 -5:4 -7:2 -9:2 -12:4 -14:2 -12:2 -9:2 -7:4 -9:2 -12:2 -14:4
-12:2 -9:2 -7:2 -5:2 -4:4 -5:2 -7:2 -9:4 -12:8"
render sine 0.35 "$wind" "$work/wind.wav"
render pluck 0.35 "-36:8 -38:8 -31:8 -36:8 -40:8 -38:8 -36:16" "$work/wind_bass.wav"
encode "$work/wind.wav" "$work/wind_bass.wav" kaze_no_ending.mp3 "風のエンディング" "春風あおい" 1998

# 変身！ライトニングブレイバー: E major, fast and high.
hero="7:1 7:1 19:2 17:1 14:2 12:2 11:1 12:1 14:2 19:4"
render square 0.15 "$hero $hero $hero $hero 19:8" "$work/hero.wav"
render pluck 0.15 "$(for _ in $(seq 1 19); do printf -- '-17:2 -5:2 '; done)" "$work/hero_bass.wav"
encode "$work/hero.wav" "$work/hero_bass.wav" henshin_insert.mp3 \
  "変身！ライトニングブレイバー" "雷電タケシ" 2003

# 勇者の旅立ち: G major fanfare around G4.
quest="-2:2 -2:1 -2:1 5:4 3:2 2:2 0:4 0:2 0:1 0:1 7:4 5:2 3:2 2:4 2:2 3:2 5:2 7:2 9:2 10:6 -2:8"
render triangle 0.27 "$quest" "$work/quest.wav"
render pluck 0.27 "-26:8 -21:8 -19:8 -24:8 -21:8 -26:16" "$work/quest_bass.wav"
encode "$work/quest.wav" "$work/quest_bass.wav" quest_theme.mp3 "勇者の旅立ち" "聖歌隊クレセント" 2010

# 未登録のデモ曲: a few held notes around D3; the song database does not know this one.
render sine 0.5 "-19:4 -15:2 -12:2 -19:4" "$work/plain.wav"
render pluck 0.5 "-31:12" "$work/plain_bass.wav"
encode "$work/plain.wav" "$work/plain_bass.wav" unregistered_demo.mp3 "未登録のデモ曲" "デモ作曲者" 2024

# Lyrics, timed to the phrases above.
printf '%s\r\n' "[ti:星空のオーバーチュア]" "[ar:水無月しずく]" \
  "[00:00.00]星の海へ　いま漕ぎ出そう" "[00:04.00]銀河の風が　背中を押す" \
  "[00:08.00]遠い灯りを　数えながら" "[00:12.00]君の名前を　呼んでみる" \
  "[00:16.00]夜明けの駅で　待ち合わせ" "[00:20.00]まだ見ぬ空へ　レールは続く" \
  "[00:24.00]星空のオーバーチュア" "[00:28.00]旅はここから　始まるよ" >"$out/hoshizora_opening.txt"
printf '%s\r\n' "[ti:風のエンディング]" "[ar:春風あおい]" \
  "[00:00.00]風が止んだら　さよならを" "[00:06.30]言えずにいた　あの日の坂" \
  "[00:12.60]夕焼け色の　手紙には" "[00:18.20]また会えるねと　書いておくね" >"$out/kaze_no_ending.txt"

ls -l "$out"
