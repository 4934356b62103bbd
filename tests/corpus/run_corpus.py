#!/usr/bin/env python3
"""Throws the bad-input corpus at the program's readers and tools and counts what went wrong.

run_corpus.py --build BUILD --source SOURCE [--scale N] [--seed S] [--keep DIR]

Per category it reports the inputs tried, the crashes (a signal or a sanitizer report), the hangs
(no end within the time allowed) and the false successes (a tool that said it did what it did
not). Ends 1 when any of those is not 0. --scale 1 is the quick run of the test command; the
occasional long run (scripts/bad_input_run.sh) takes a larger scale and other seeds.
"""
import argparse
import concurrent.futures
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading

TIMEOUT = 60


class Tally:
    def __init__(self):
        self.rows = {}
        self.lock = threading.Lock()

    def add(self, category, crash=0, hang=0, false_success=0, note=None):
        with self.lock:
            row = self.rows.setdefault(category, [0, 0, 0, 0])
            row[0] += 1
            row[1] += crash
            row[2] += hang
            row[3] += false_success
            if note and (crash or hang or false_success):
                print("FAULT %s: %s" % (category, note), flush=True)

    def report(self):
        print("%-10s %7s %8s %6s %15s" % ("category", "inputs", "crashes", "hangs", "false success"))
        for category, (tried, crash, hang, false) in sorted(self.rows.items()):
            print("%-10s %7d %8d %6d %15d" % (category, tried, crash, hang, false))
        return all(r[1] == 0 and r[2] == 0 and r[3] == 0 for r in self.rows.values())


def run(command, timeout=TIMEOUT):
    """(exit code or None on timeout, stdout, stderr); a signal gives a negative code."""
    try:
        done = subprocess.run(command, capture_output=True, timeout=timeout)
        return done.returncode, done.stdout.decode(errors="replace"), done.stderr.decode(errors="replace")
    except subprocess.TimeoutExpired as e:
        return None, (e.stdout or b"").decode(errors="replace"), ""


def crashed(code, err):
    return code is not None and (code < 0 or code >= 128 or "Sanitizer" in err or "runtime error" in err)


def complete_wav(path):
    try:
        with open(path, "rb") as f:
            head = f.read(44)
        size = os.path.getsize(path)
    except OSError:
        return False
    if len(head) < 44 or head[:4] != b"RIFF" or head[8:12] != b"WAVE" or head[36:40] != b"data":
        return False
    riff, = struct.unpack("<I", head[4:8])
    data, = struct.unpack("<I", head[40:44])
    return riff == size - 8 and data == size - 44


def read_kind(tally, reader, kind, paths):
    """Reads a batch in one process; after a crash or a hang it goes on after the file at fault."""
    remaining = list(paths)
    while remaining:
        code, out, err = run([reader, kind] + remaining, timeout=TIMEOUT * 4)
        printed = out.splitlines()
        if code == 0:
            for _ in remaining:
                tally.add(kind)
            return
        last = len(printed) - 1 if printed else 0
        for _ in remaining[:last]:
            tally.add(kind)
        fault = remaining[last]
        if code is None:
            tally.add(kind, hang=1, note="%s hangs the reader" % fault)
        else:
            tally.add(kind, crash=1, note="%s: exit %s\n%s" % (fault, code, err[-3000:]))
        remaining = remaining[last + 1:]


def media_tools(tally, cli, path, work):
    target = os.path.join(work, os.path.basename(path) + ".WAV")
    code, _, err = run([cli, "wav", path, target])
    if code is None:
        tally.add("cli wav", hang=1, note="%s hangs the export" % path)
    elif crashed(code, err):
        tally.add("cli wav", crash=1, note="%s: exit %s\n%s" % (path, code, err[-3000:]))
    elif code == 0 and not complete_wav(target):
        tally.add("cli wav", false_success=1, note="%s: success without a complete WAV" % path)
    else:
        tally.add("cli wav")
    leftovers = [n for n in os.listdir(work) if n.startswith(".sorvane-tmp-")]
    if leftovers:
        tally.add("cli wav", false_success=1, note="temporary files left: %s" % leftovers)
    code, _, err = run([cli, "info", path])
    if code is None or crashed(code, err):
        tally.add("cli info", crash=int(code is not None), hang=int(code is None),
                  note="%s: exit %s\n%s" % (path, code, err[-3000:]))
    else:
        tally.add("cli info")


def cli_refusals(tally, cli, song, work):
    """The export refuses its own input and a folder; --at refuses what is no position."""
    os.makedirs(work, exist_ok=True)
    copy = os.path.join(work, "in.mp3")
    shutil.copy(song, copy)
    before = open(copy, "rb").read()
    os.link(copy, os.path.join(work, "link.mp3"))
    os.makedirs(os.path.join(work, "folder.WAV"), exist_ok=True)
    for target in (copy, os.path.join(work, ".", "in.mp3"), os.path.join(work, "link.mp3"),
                   os.path.join(work, "folder.WAV"), os.path.join(work, "missing", "x.WAV")):
        code, _, err = run([cli, "wav", copy, target])
        intact = open(copy, "rb").read() == before
        tally.add("cli wav", crash=int(crashed(code, err)), hang=int(code is None),
                  false_success=int(code == 0 or not intact),
                  note=None if code == 1 and intact else "wav %s: exit %s" % (target, code))
    for at in ("1e30", "nan", "inf", "-1", "abc", ""):
        code, _, err = run([cli, "spectrum", song, "--at", at])
        tally.add("cli spectrum", crash=int(crashed(code, err)), hang=int(code is None),
                  false_success=int(code == 0),
                  note=None if code == 2 else "--at %r: exit %s" % (at, code))


def song_count(sorvdb, db):
    code, out, _ = run([sorvdb, "sql", db, "SELECT count(*) FROM アニソンデータ管理"])
    return int(out.strip()) if code == 0 and out.strip().isdigit() else -1


def csv_tools(tally, sorvdb, path, work):
    db = os.path.join(work, os.path.basename(path) + ".mdb")
    run([sorvdb, "init", db])
    code, _, err = run([sorvdb, "import-csv", db, path])
    bad = any(k in os.path.basename(path) for k in
              ("too_big", "not_number", "open_quote", "short_row", "unknown_column", "cp932_broken"))
    if code is None or crashed(code, err):
        tally.add("sorvdb csv", crash=int(code is not None), hang=int(code is None),
                  note="%s: exit %s\n%s" % (path, code, err[-3000:]))
    elif (code == 0 and bad) or (code != 0 and song_count(sorvdb, db) != 0):
        tally.add("sorvdb csv", false_success=1, note="%s: exit %s, songs %d" %
                  (path, code, song_count(sorvdb, db)))
    else:
        tally.add("sorvdb csv")


def jet_tools(tally, sorvdb, path, work):
    db = os.path.join(work, os.path.basename(path) + ".sqlite")
    shutil.copy(os.path.join(work, "kept.mdb"), db)
    code, _, err = run([sorvdb, "import-mdb", path, db, "--force"])
    name = os.path.basename(path)
    must_refuse = name.startswith("cut") or name.startswith("page_gone") or name.startswith("fifo")
    kept = song_count(sorvdb, db) == 1
    if code is None or crashed(code, err):
        tally.add("sorvdb jet", crash=int(code is not None), hang=int(code is None),
                  note="%s: exit %s\n%s" % (path, code, err[-3000:]))
    elif code == 0 and (must_refuse or not 0 < song_count(sorvdb, db) <= 300):
        tally.add("sorvdb jet", false_success=1, note="%s: imported %d songs" %
                  (path, song_count(sorvdb, db)))
    elif code != 0 and not kept:
        tally.add("sorvdb jet", false_success=1, note="%s: refused but the old database changed" % path)
    else:
        tally.add("sorvdb jet")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", help="make the corpus in this folder and leave it there")
    args = parser.parse_args()
    reader = os.path.join(args.build, "tests/corpus/read_inputs")
    cli = os.path.join(args.build, "app/cli/sorvane-cli")
    sorvdb = os.path.join(args.build, "app/sorvdb/sorvdb")
    top = args.keep or tempfile.mkdtemp(prefix="sorv-corpus-")
    corpus = os.path.join(top, "corpus")
    work = os.path.join(top, "work")
    os.makedirs(os.path.join(corpus, "jet"), exist_ok=True)
    os.makedirs(work, exist_ok=True)
    if run([reader, "write-jet", os.path.join(corpus, "jet", "good.mdb")])[0] != 0:
        sys.exit("cannot write the seed Jet file")
    subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "make_corpus.py"),
                    os.path.join(args.source, "tests/fixtures"), corpus, "--scale", str(args.scale),
                    "--seed", str(args.seed)], check=True)
    files = {k: sorted(os.path.join(corpus, k, n) for n in os.listdir(os.path.join(corpus, k)))
             for k in ("media", "lyrics", "playlist", "state", "csv", "jet")}
    tally = Tally()
    for kind in ("media", "lyrics", "playlist", "state"):
        read_kind(tally, reader, kind, files[kind])
    read_kind(tally, reader, "csv", [p for p in files["csv"] if os.path.isfile(p)])
    run([sorvdb, "init", os.path.join(work, "kept.mdb")])
    run([sorvdb, "sql", os.path.join(work, "kept.mdb"),
         "INSERT INTO アニソンデータ管理 (ファイル名) VALUES ('kept.mp3')"])
    cli_refusals(tally, cli, os.path.join(args.source, "tests/fixtures/tone440_short.rmp"),
                 os.path.join(work, "refusals"))
    jobs = [(media_tools, cli, p, os.path.join(work, "media%d" % i)) for i, p in enumerate(files["media"])]
    jobs += [(csv_tools, sorvdb, p, work) for p in files["csv"]]
    jobs += [(jet_tools, sorvdb, p, work) for p in files["jet"]]
    for _, _, _, folder in jobs:
        os.makedirs(folder, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for job in [pool.submit(f, tally, tool, p, folder) for f, tool, p, folder in jobs]:
            job.result()
    ok = tally.report()
    if not args.keep:
        shutil.rmtree(top, ignore_errors=True)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
