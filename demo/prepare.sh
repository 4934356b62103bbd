#!/usr/bin/env bash
# prepare.sh BUILD_DIR HOME_DIR: sets up a demo home for the player: the demo songs and their
# lyrics in HOME_DIR/songs, a song database HOME_DIR/sorvdb.mdb that knows them, and the play
# list HOME_DIR/songs/demo.m3u. Safe to run again: the songs, the database and the play list are
# made afresh, anything else in HOME_DIR (the saved state sorvane.dat) is left alone. A first
# start gets a state file of default settings, because the player only takes a file from its
# command line once it has settings of its own.
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR HOME_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2/songs"
home=$(cd "$2" && pwd)
sorvdb="$build/app/sorvdb/sorvdb"

cp -f "$here"/songs/* "$home/songs/"

# Built beside the old one, then moved into place, so a failed import leaves the old database.
"$sorvdb" init "$home/sorvdb.mdb.new" --force
"$sorvdb" import-csv "$home/sorvdb.mdb.new" "$here/songs.csv"
mv -f "$home/sorvdb.mdb.new" "$home/sorvdb.mdb"

{
  for name in hoshizora_opening kaze_no_ending henshin_insert quest_theme hoshizora_opening_k \
    unregistered_demo; do
    printf '%s\r\n' "$home/songs/$name.mp3"
  done
} >"$home/songs/demo.m3u"

# Default settings: the lists and folders all point into the demo home.
if [ ! -e "$home/sorvane.dat" ]; then
  {
    printf '0,0,0\r\n'
    for _ in 1 2 3 4 5 6 7 8 9 10; do printf '0\r\n'; done
    printf '5,80,80\r\n1,1\r\n'
    printf '"%s","",""\r\n' "$home/songs/"
    printf '"%s","%s"\r\n' "$home/" "$home/"
    printf '0,0,10\r\n"%s"\r\n1,0\r\n0\r\n' "$home/"
  } >"$home/sorvane.dat"
fi
