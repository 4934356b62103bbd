#!/usr/bin/env python3
"""Writes a large song library for the library benchmarks.

usage: make_library.py OUT_DIR SONGS [--csv-only] [MP3...]

OUT_DIR/songs.csv is a song-table CSV of SONGS rows in 20 genres and SONGS / 20 works, with
readings in kana; OUT_DIR/music holds the songs' files in 1,000 folders, hard links of the given
MP3 files (so a library of a million files costs a few inodes' worth of disk).
"""
import errno
import os
import shutil
import sys

GENRES = [255, 254, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17]
FOLDERS = 1000
SONGS_PER_WORK = 20
KANA = ("あいうえおかがきくけこさざしすせそたちつてとなにぬねのはばぱひふへほまみむめもやゆよ"
        "らりるれろわ")
# In the song table's column order, so that sqlite3's .import can read the same file.
HEADER = ("ファイル名,曲名,アーティスト,番組名,カラオケ,歌種別,歌連番,発表年,アニメ種別,ジャンルNo,"
          "曲名かな,番組名かな,アーティストかな,グループ")


def kana_word(number, length):
    """A reading of `length` kana that differs for each number."""
    letters = []
    for _ in range(length):
        letters.append(KANA[number % len(KANA)])
        number //= len(KANA)
    return "".join(letters)


def file_name(song):
    return "s%07d.mp3" % song


def folder_of(song):
    return "d%04d" % (song % FOLDERS)


def csv_row(song):
    work = song // SONGS_PER_WORK
    artist = work % 997
    kind = song % 4 + 1
    return ",".join([
        file_name(song),
        "曲%d「%s」" % (song, kana_word(song * 7919, 3)),
        "歌手%d" % artist,
        "作品%d" % work,
        "1" if song % 9 == 0 else "0",
        str(kind),
        str(song % SONGS_PER_WORK),
        str(1970 + work % 55),
        str(work % 5 + 1),
        str(GENRES[work % len(GENRES)]),
        kana_word(song * 7919, 6),
        kana_word(work * 104729, 5),
        kana_word(artist * 31, 4),
        "" if song % 3 else "グループ%d" % (work % 50),
    ])


def main():
    args = [a for a in sys.argv[1:] if a != "--csv-only"]
    if len(args) < 2:
        sys.exit(__doc__)
    out, songs, sources = args[0], int(args[1]), args[2:]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "songs.csv"), "w", encoding="utf-8", newline="\n") as csv:
        csv.write(HEADER + "\n")
        for song in range(songs):
            csv.write(csv_row(song) + "\n")
    if "--csv-only" in sys.argv or not sources:
        return
    music = os.path.join(out, "music")
    for folder in range(min(FOLDERS, songs)):
        os.makedirs(os.path.join(music, "d%04d" % folder), exist_ok=True)
    for song in range(songs):
        target = os.path.join(music, folder_of(song), file_name(song))
        if not os.path.exists(target):
            link(sources, song % len(sources), target)


def link(sources, which, target):
    """A hard link of sources[which]; a file takes at most 65,000 links on ext4, so a full one is
    copied and the copy linked from then on."""
    try:
        os.link(sources[which], target)
    except OSError as error:
        if error.errno != errno.EMLINK:
            raise
        copy = "%s.%d" % (sources[which], os.stat(sources[which]).st_ino)
        shutil.copyfile(sources[which], copy)
        sources[which] = copy
        os.link(copy, target)


if __name__ == "__main__":
    main()
