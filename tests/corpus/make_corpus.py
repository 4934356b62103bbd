#!/usr/bin/env python3
"""Makes a corpus of broken and hostile inputs from the committed fixtures.

make_corpus.py FIXTURES OUT [--scale N] [--seed S]

OUT gets one folder per kind: media/ (truncations, bit flips, channel and rate switches, oversized
and lying tags, mislabelled files, non-regular files), lyrics/, playlist/, state/ (settings
folders), csv/ and jet/ (damaged Jet files, from OUT/jet/good.mdb, which the caller writes first).
--scale multiplies the number of random cases (1: the quick run of the test command).
"""
import argparse
import os
import random
import struct


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def write_all(out, cases):
    for name, data in cases.items():
        write(os.path.join(out, name), data)


def flips(rng, data, count):
    data = bytearray(data)
    for _ in range(count):
        if data:
            i = rng.randrange(len(data))
            data[i] ^= 1 << rng.randrange(8)
    return bytes(data)


def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def id3v2(frames, declared=None):
    body = b"".join(frames)
    size = len(body) if declared is None else declared
    return b"ID3\x03\x00\x00" + synchsafe(size) + body


def txxx(i):
    text = b"\x00k%d\x00v" % i
    return b"TXXX" + struct.pack(">I", len(text)) + b"\x00\x00" + text


def media(rng, fixtures, out, scale):
    bases = ["tone440_mpeg1_128k_js.mp3", "tone1k.wma", "tone440_short.rmp", "tone440_vbr.mp3",
             "id3v24_utf8.mp3", "tone1k_mpeg25_mono.mp3"]
    data = {b: open(os.path.join(fixtures, b), "rb").read() for b in bases}
    for b, d in data.items():
        stem, ext = os.path.splitext(b)
        for k in range(3 * scale):
            write(os.path.join(out, "%s_cut%d%s" % (stem, k, ext)), d[:rng.randrange(len(d))])
        for k in range(3 * scale):
            write(os.path.join(out, "%s_flip%d%s" % (stem, k, ext)),
                  flips(rng, d, rng.choice([1, 10, 200])))
        other = ".wma" if ext != ".wma" else ".mp3"
        write(os.path.join(out, "%s_named%s" % (stem, other)), d)
    stereo = open(os.path.join(fixtures, "tone1k_48k_stereo.mp3"), "rb").read()
    mono = open(os.path.join(fixtures, "tone1k_mpeg2_mono.mp3"), "rb").read()
    for ext in (".mp3", ".wma", ".mka", ".dat"):
        write(os.path.join(out, "switch%s" % ext), stereo + mono + stereo)
    tone = data["tone440_mpeg1_128k_js.mp3"]
    frames = 20000 * scale
    write(os.path.join(out, "many_txxx.mp3"), id3v2([txxx(i) for i in range(frames)]) + tone)
    write(os.path.join(out, "tag_size_lies.mp3"), id3v2([txxx(1)], declared=0x0FFFFFFF) + tone)
    write(os.path.join(out, "tag_only.mp3"), id3v2([txxx(i) for i in range(100)]))
    huge = b"TIT2" + struct.pack(">I", 0x7FFFFFFF) + b"\x00\x00\x00abc"
    write(os.path.join(out, "frame_size_lies.mp3"), id3v2([huge]) + tone)
    write(os.path.join(out, "riff_lies.rmp"), b"RIFF\xff\xff\xff\xffRMP3data\xff\xff\xff\x7f" + tone)
    write(os.path.join(out, "zeros.mp3"), bytes(100000))
    write(os.path.join(out, "random.wma"), bytes(rng.randrange(256) for _ in range(50000)))
    write(os.path.join(out, "empty.wma"), b"")
    os.mkfifo(os.path.join(out, "fifo.mp3"))
    os.mkfifo(os.path.join(out, "fifo.wma"))
    os.mkdir(os.path.join(out, "folder.mp3"))
    os.symlink("/dev/zero", os.path.join(out, "device.mp3"))
    os.symlink("missing-target.mp3", os.path.join(out, "dangling.mp3"))


def lyrics(rng, out, scale):
    good = "[ti:t]\n[offset:+250]\n[00:00.50]一行目\n[00:01.00][00:02.50]くりかえし\n".encode()
    cases = {
        "utf16_odd.txt": b"\xff\xfe" + b"[\x000\x00" + b"\x00",
        "utf16_be.txt": b"\xfe\xff" + "[00:01.00]あ\n".encode("utf-16-be"),
        "bad_utf8.txt": b"[00:01.00]\xe3\x81\n[00:02.00]\xff\xfe\xfd\n",
        "unclosed.txt": b"[00:01.00" * 1000,
        "huge_time.txt": b"[99999999999999999999:99.99]x\n[-5:00.00]y\n[00:-1.00]z\n",
        "huge_offset.txt": b"[offset:99999999999999999999]\n[offset:-9223372036854775808]\n[00:01.00]a\n",
        "long_line.txt": b"[00:01.00]" + "長".encode() * 100000 + b"\n",
        "many_stamps.txt": b"[00:01.00]" * (200000 * scale) + b"x\n",
        "nul.txt": b"[00:01.00]a\x00b\n\x00\x00\x00",
        "cr_only.txt": b"[00:01.00]a\r[00:02.00]b\r",
        "empty.txt": b"",
    }
    write_all(out, cases)
    for k in range(5 * scale):
        write(os.path.join(out, "cut%d.txt" % k), good[:rng.randrange(len(good))])
        write(os.path.join(out, "flip%d.txt" % k), flips(rng, good, 5))
    os.mkfifo(os.path.join(out, "fifo.txt"))
    os.mkdir(os.path.join(out, "folder.txt"))


def playlists(rng, out, scale):
    good = "#EXTM3U\n/music/a.mp3\n./b.mp3\n\"/music/c, d.mp3\"\n.\\e.mp3\n".encode()
    cases = {
        "random.m3u": bytes(rng.randrange(256) for _ in range(20000)),
        "long_line.m3u": b"/" + b"a" * 1000000 + b".mp3\n",
        "many.m3u": b"".join(b"/m/%d.mp3\n" % i for i in range(40000 * scale)),
        "quotes.m3u": b'"\n""\n"""\n"a""b.mp3"\n',
        "nul.m3u": b"/a\x00b.mp3\n\x00\n",
        "cp932.m3u": b"/\x83\x65\x83\x58\x83\x67.mp3\n\x81\n",
        "empty.m3u": b"",
    }
    write_all(out, cases)
    for k in range(3 * scale):
        write(os.path.join(out, "flip%d.m3u" % k), flips(rng, good, 8))
    os.mkfifo(os.path.join(out, "fifo.m3u"))
    os.mkdir(os.path.join(out, "folder.m3u"))


def state_folders(rng, out, scale):
    lines = ["0,0,0"] + ["0"] * 10 + ["5,80,80", "1,1", '"/m/","",""', '"/w/","/w/"', "0,0,10",
                                       '"/w/"', "1,0", "0"]
    good = ("\r\n".join(lines) + "\r\n").encode()
    cases = {
        "empty": b"",
        "short": b"0,0,0\r\n1\r\n",
        "huge_numbers": good.replace(b"5,80,80", b"99999999999999999999,-1e30,nan"),
        "unclosed_quote": good.replace(b'"/w/"\r\n1,0', b'"/w/\r\n1,0'),
        "binary": bytes(rng.randrange(256) for _ in range(4000)),
        "long_line": b"0,0,0\r\n" + b"9" * 1000000 + b"\r\n",
    }
    for k in range(4 * scale):
        cases["cut%d" % k] = good[:rng.randrange(len(good))]
        cases["flip%d" % k] = flips(rng, good, 6)
    for name, data in cases.items():
        os.mkdir(os.path.join(out, name))
        write(os.path.join(out, name, "sorvane.dat"), data)
    os.mkdir(os.path.join(out, "dat_folder"))
    os.mkdir(os.path.join(out, "dat_folder", "sorvane.dat"))
    os.mkdir(os.path.join(out, "dat_fifo"))
    os.mkfifo(os.path.join(out, "dat_fifo", "sorvane.dat"))


def csv_files(rng, out, scale):
    good = "ファイル名,曲名,カラオケ,歌連番\r\na.mp3,\"A, b\",1,3\r\nb.mp3,B,0,4\r\n".encode()
    cases = {
        "too_big.csv": "ファイル名,カラオケ\na.mp3,99999999999999999999\n".encode(),
        "not_number.csv": "ファイル名,カラオケ\na.mp3,1e3\n".encode(),
        "open_quote.csv": "ファイル名,曲名\na.mp3,\"never closed\n".encode(),
        "short_row.csv": "ファイル名,曲名\na.mp3\n".encode(),
        "unknown_column.csv": "ファイル名,色\na.mp3,red\n".encode(),
        "quote_column.csv": "ファイル名,\"曲\"\"名\"\na.mp3,x\n".encode(),
        "bom_nul.csv": b"\xef\xbb\xbf" + "ファイル名\na\x00b.mp3\n".encode(),
        "cp932_broken.csv": b"\x83\x74\x83\n\x81\n",
        "empty.csv": b"",
        "header_only.csv": "ファイル名".encode(),
    }
    write_all(out, cases)
    for k in range(4 * scale):
        write(os.path.join(out, "flip%d.csv" % k), flips(rng, good, 4))
        write(os.path.join(out, "cut%d.csv" % k), good[:rng.randrange(1, len(good))])


def jet_files(rng, out, scale):
    good = open(os.path.join(out, "good.mdb"), "rb").read()
    pages = len(good) // 4096
    for k in range(4 * scale):
        cut = rng.randrange(4096, len(good))
        write(os.path.join(out, "cut%d.mdb" % k), good[:cut])
        write(os.path.join(out, "flip%d.mdb" % k), flips(rng, good, rng.choice([1, 20, 300])))
        page = rng.randrange(1, pages)
        damaged = bytearray(good)
        damaged[page * 4096 + 12] = (damaged[page * 4096 + 12] + rng.randrange(1, 200)) % 256
        write(os.path.join(out, "rowcount%d.mdb" % k), bytes(damaged))
    write(os.path.join(out, "page_gone.mdb"), good[:-4096])
    os.mkfifo(os.path.join(out, "fifo.mdb"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("fixtures")
    parser.add_argument("out")
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    for kind, make in (("media", lambda d: media(rng, args.fixtures, d, args.scale)),
                       ("lyrics", lambda d: lyrics(rng, d, args.scale)),
                       ("playlist", lambda d: playlists(rng, d, args.scale)),
                       ("state", lambda d: state_folders(rng, d, args.scale)),
                       ("csv", lambda d: csv_files(rng, d, args.scale)),
                       ("jet", lambda d: jet_files(rng, d, args.scale))):
        folder = os.path.join(args.out, kind)
        os.makedirs(folder, exist_ok=True)
        make(folder)


if __name__ == "__main__":
    main()
