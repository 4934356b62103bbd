#!/usr/bin/env bash
# demo_prepare_test.sh BUILD_DIR: the demo home that the run command plays from. Every demo song
# but one is known to the song database, the play list starts with the opening song, and running
# the preparation again keeps the saved state.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
sorvdb="$build/app/sorvdb/sorvdb"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

bash "$top/demo/prepare.sh" "$build" "$home" >/dev/null
[ "$(head -n 1 "$home/songs/demo.m3u" | tr -d '\r')" = "$home/songs/hoshizora_opening.mp3" ] ||
  fail "the play list does not start with the opening song"
for song in "$top"/demo/songs/*.mp3; do
  name=$(basename "$song")
  [ -f "$home/songs/$name" ] || fail "$name was not copied"
  tr -d '\r' <"$home/songs/demo.m3u" | grep -x "$home/songs/$name" >/dev/null ||
    fail "$name is not listed"
  found=$("$sorvdb" lookup "$home/sorvdb.mdb" "$name" 2>&1)
  if [ "$name" = unregistered_demo.mp3 ]; then
    [[ $found == *"no song"* ]] || fail "$name should be unknown to the database"
  else
    [[ $found == *$'SongTitle\t'[^$'\n']* ]] || fail "$name is not in the database"
  fi
done
[ -f "$home/songs/hoshizora_opening.txt" ] && [ -f "$home/songs/kaze_no_ending.txt" ] ||
  fail "lyrics missing"

echo "saved" >"$home/sorvane.dat"
bash "$top/demo/prepare.sh" "$build" "$home" >/dev/null
[ "$(cat "$home/sorvane.dat")" = saved ] || fail "the saved state was lost"
[ "$("$sorvdb" export-csv "$home/sorvdb.mdb" | wc -l)" -eq "$(wc -l <"$top/demo/songs.csv")" ] ||
  fail "a second run changed the number of songs"
echo "demo home ok"
