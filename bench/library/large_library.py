#!/usr/bin/env python3
"""The player on a large library, measured from outside against the same work done by find,
sqlite3 and mpv in the same run. Prints Markdown tables.

usage: large_library.py BUILD_DIR SONGS CACHE_DIR [--import-only]

The library (SONGS MP3 files in 1,000 folders, hard links of the demo songs, and a song CSV of
SONGS rows in 20 genres) is made once in CACHE_DIR and reused. The player runs on an X server of
its own (Xvfb) with SDL's disk audio driver, in a home folder of its own; the measures read the
window captions with xdotool and click the hot spots the whole-program tests click.
"""
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
SELECT_HOT_SPOT = (345, 124)  # the main panel's 選曲
PANEL = "^(♪|そるばね Ver)"
# The count caption; without "件" when the search found no file.
COUNT = re.compile(r"^選曲（ (\d+)/(\d+) (件)?）$")
# The tree's statement with the view テンポラリ written out: the sqlite3 shell lacks the player's
# KANA collation (and cannot read the view), so the readings sort as plain text there.
TEMPORARY_VIEW = (
    "(SELECT s.ジャンルNo AS ジャンルNoA, s.番組名 AS アニメタイトルA, s.番組名かな || '' AS "
    "アニメタイトルかなA, s.曲名 AS タイトルA, s.曲名かな || '' AS タイトルかなA, s.アーティスト AS "
    "アーティストA, s.アーティストかな || '' AS アーティストかなA, s.グループ AS グループA, s.発表年 AS "
    "制作年A, c.ファイル名 AS ファイル名A, c.フルパス AS フルパスA, s.歌種別 AS 歌種別A, s.歌連番 AS "
    "歌連番A, s.カラオケ AS カラオケA, s.アニメ種別 AS アニメ種別A, CASE substr(s.歌種別, 1, 1) WHEN "
    "'1' THEN 1 WHEN '3' THEN 2 WHEN '4' THEN 3 WHEN '2' THEN 4 ELSE 5 END AS 選曲種別A FROM "
    "アニソンデータ管理 s JOIN 選択候補 c ON c.ファイル名 = s.ファイル名 UNION ALL SELECT 12, '未登録', "
    "'未登録', c.ファイル名, '', '未登録', '', '', '', c.ファイル名, c.フルパス, '5', 0, 0, 0, 0 FROM "
    "選択候補 c WHERE NOT EXISTS (SELECT 1 FROM アニソンデータ管理 s WHERE s.ファイル名 = c.ファイル名))")
TREE_FILTER = (" FROM " + TEMPORARY_VIEW + " WHERE (ファイル名A IS NULL OR 選曲種別A IN "
               "(0,1,2,3,4,5)) AND (カラオケA = 0) AND アニメ種別A IN (1,2,3,4,5,0)")
TREE_ORDER = (" ORDER BY ジャンルNoA DESC,アニメタイトルかなA,アニメタイトルA,歌種別A ,歌連番A ,制作年A,"
              "カラオケA")
SEARCH_TEXT = "作品12"
SEARCH_COLUMNS = ["タイトルA", "アニメタイトルA", "アーティストA", "アニメタイトルかなA", "タイトルかなA",
                  "アーティストかなA", "グループA"]
TIMEOUT = 120


def run(command, **kwargs):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, text=True, **kwargs).stdout


def timed(command):
    """Wall seconds, CPU seconds (user + system) and peak resident KB of one command."""
    start = time.monotonic()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise SystemExit("%s failed (%d)" % (command[0], child.returncode))
    return time.monotonic() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def make_library(songs, cache):
    """The library folder for SONGS songs, made once."""
    folder = os.path.join(cache, "library-%d" % songs)
    done = os.path.join(folder, "complete")
    if os.path.exists(done):
        return folder
    os.makedirs(folder, exist_ok=True)
    sources = []
    for name in sorted(os.listdir(os.path.join(TOP, "demo", "songs"))):
        if name.endswith(".mp3"):
            sources.append(os.path.join(folder, "source-" + name))
            shutil.copyfile(os.path.join(TOP, "demo", "songs", name), sources[-1])
    run([sys.executable, os.path.join(HERE, "make_library.py"), folder, str(songs)] + sources)
    open(done, "w").close()
    return folder


def csv_file(cache, songs):
    """The song CSV of SONGS rows, in the library's folder (its files may come later)."""
    folder = os.path.join(cache, "library-%d" % songs)
    if not os.path.exists(os.path.join(folder, "songs.csv")):
        run([sys.executable, os.path.join(HERE, "make_library.py"), folder, str(songs),
             "--csv-only"])
    return os.path.join(folder, "songs.csv")


def fresh_db(sorvdb, path):
    if os.path.exists(path):
        os.remove(path)
    run([sorvdb, "init", path])


def import_figures(build, cache, songs, work):
    """sorvdb import-csv against sqlite3 .import of the same file (best of three), and the
    tool's peak memory at 100,000 and 300,000 rows."""
    sorvdb = os.path.join(build, "app", "sorvdb", "sorvdb")
    csv = csv_file(cache, songs)
    db = os.path.join(work, "import.mdb")
    ours, theirs = [], []
    for _ in range(3):
        fresh_db(sorvdb, db)
        ours.append(timed([sorvdb, "import-csv", db, csv]))
        fresh_db(sorvdb, db)
        theirs.append(timed(["sqlite3", db, ".import --csv --skip 1 %s アニソンデータ管理" % csv]))
    wall = min(r[0] for r in ours), min(r[0] for r in theirs)
    cpu = min(r[1] for r in ours), min(r[1] for r in theirs)
    rows = [("`sorvdb import-csv` of %s rows, wall s (best of 3)" % f"{songs:,}",
             "≤ 2× sqlite3", "sqlite3 .import: %.2f" % wall[1], "%.2f" % wall[0],
             wall[0] / wall[1]),
            ("the same, CPU s (user + system)", "≤ 2× sqlite3", "sqlite3 .import: %.2f" % cpu[1],
             "%.2f" % cpu[0], cpu[0] / cpu[1])]
    sizes = sorted({100000, 300000, songs})
    peaks = []
    for count in sizes:
        fresh_db(sorvdb, db)
        peaks.append(timed([sorvdb, "import-csv", db, csv_file(cache, count)])[2] / 1024)
    rows.append(("`sorvdb import-csv` peak resident MB at %s rows"
                 % " / ".join(f"{count:,}" for count in sizes), "does not grow", "—",
                 " / ".join("%.0f" % peak for peak in peaks), None))
    os.remove(db)
    return rows


class Desktop:
    """An X server of our own and the player's home folder."""

    def __init__(self, work):
        self.work = work
        number = next(n for n in range(300, 400) if not os.path.exists("/tmp/.X%d-lock" % n))
        self.display = ":%d" % number
        self.xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"], stderr=subprocess.DEVNULL)
        while not os.path.exists("/tmp/.X11-unix/X%d" % number):
            time.sleep(0.05)
        self.env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=work + "/config",
                        TMPDIR=work, XDG_RUNTIME_DIR=work, SDL_AUDIODRIVER="disk",
                        SDL_DISKAUDIOFILE=work + "/heard.raw", QT_QPA_PLATFORM="xcb")
        self.env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.player = None

    def close(self):
        self.stop_player()
        self.xvfb.terminate()
        self.xvfb.wait()

    def xdotool(self, *args):
        result = subprocess.run(["xdotool"] + list(args), env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        return result.stdout.strip()

    def wait_window(self, pattern):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            found = self.xdotool("search", "--onlyvisible", "--name", pattern)
            if found:
                return found.split("\n")[0]
            time.sleep(0.005)
        raise SystemExit("no window " + pattern)

    def caption(self, window):
        return self.xdotool("getwindowname", window)

    def wait_caption(self, window, accept, timeout=TIMEOUT):
        """Polls the caption until accept(caption) holds; returns the caption and the time."""
        deadline = time.monotonic() + timeout
        while True:
            caption = self.caption(window)
            if accept(caption) or time.monotonic() > deadline:
                return caption, time.monotonic()
            time.sleep(0.002)

    def size(self, window):
        shell = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=") for line in shell.splitlines())
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, str(x), str(y), "click", "1")

    def keys(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def start_player(self, build, args=()):
        self.player = subprocess.Popen([os.path.join(build, "app", "sorvane", "sorvane")]
                                       + list(args), cwd=self.work, env=self.env,
                                       stdout=subprocess.DEVNULL)
        return time.monotonic()

    def stop_player(self):
        if self.player and self.player.poll() is None:
            self.player.terminate()
            try:
                self.player.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.player.kill()
                self.player.wait()
        self.player = None

    def pss_mb(self):
        with open("/proc/%d/smaps_rollup" % self.player.pid) as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    return int(line.split()[1]) / 1024
        return 0


def write_state(home, music, listed=0):
    """The player's state file: search path, song database and selection info in home; with
    listed > 0 the saved selection info is on and the list holds that many songs."""
    folder = home + "/"
    lines = ["%d,%d,%d" % (1 if listed else 0, listed, 1 if listed else 0)]
    lines += ["0"] * 10
    lines += ["5,80,80", "1,1", '"%s/","",""' % music, '"%s","%s"' % (folder, folder), "0,0,10",
              '"%s"' % folder, "1,0", "0"]
    with open(os.path.join(home, "sorvane.dat"), "w", newline="") as state:
        state.write("\r\n".join(lines) + "\r\n")


def sqlite_seconds(db, sql):
    """Best of three, every row read and printed (to nowhere), as the tree reads them."""
    return min(timed(["sqlite3", db, sql])[0] for _ in range(3))


def count_of(caption):
    match = COUNT.match(caption)
    return (int(match.group(1)), int(match.group(2))) if match else None


def first_sound_seconds(heard, since):
    """Seconds from since until bytes that are not silence reach the disk driver's file."""
    offset = os.path.getsize(heard) if os.path.exists(heard) else 0
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        if os.path.exists(heard) and os.path.getsize(heard) > offset:
            with open(heard, "rb") as recorded:
                recorded.seek(offset)
                data = recorded.read()
            if data.strip(b"\0"):
                return time.monotonic() - since
            offset += len(data)
        time.sleep(0.002)
    return None


def searched(caption):
    """True for a count caption with nothing ticked, which a search leaves."""
    return (count_of(caption) or (1, 0))[0] == 0


def window_figures(desktop, selection, width, height, figures):
    """検索, a search text, ticking every genre and 選曲完了, in a window that shows songs."""
    search = (width - 235, height - 79)
    done = (width - 235, height - 23)
    search_box = (width - 104, 258)  # 文字列検索, at the top of the options

    # Ticks the first genre so that the caption changes when the next search has run.
    def tick_first_and_press(button):
        before = desktop.caption(selection)
        desktop.click(selection, 41, 20)
        desktop.wait_caption(selection, lambda c: c != before and not searched(c), 30)
        pressed = time.monotonic()
        desktop.click(selection, *button)
        caption, finished = desktop.wait_caption(selection, searched)
        return finished - pressed, caption

    figures["search"] = tick_first_and_press(search)
    desktop.click(selection, *search_box)
    desktop.xdotool("type", "--delay", "20", SEARCH_TEXT)
    figures["text"] = tick_first_and_press(search)
    desktop.click(selection, *search_box)
    desktop.keys("ctrl+a", "BackSpace")
    tick_first_and_press(search)

    # Every genre ticked: the first by a click, the others by Down and Space.
    desktop.click(selection, 41, 20)
    desktop.keys(*(["Down", "space"] * 19))
    caption = desktop.caption(selection)
    while True:
        time.sleep(2)
        settled = desktop.caption(selection)
        if settled == caption:
            break
        caption = settled
    figures["ticked"] = caption
    pressed = time.monotonic()
    desktop.click(selection, *done)
    figures["sound"] = first_sound_seconds(desktop.work + "/heard.raw", pressed)
    time.sleep(3)


def selection_figures(build, library, desktop, songs):
    """全検索, 検索, a search text, ticking all and 選曲完了 in the real selection window, and the
    player's PSS then."""
    home = desktop.work
    music = os.path.join(library, "music")
    db = os.path.join(home, "sorvdb.mdb")
    sorvdb = os.path.join(build, "app", "sorvdb", "sorvdb")
    fresh_db(sorvdb, db)
    run([sorvdb, "import-csv", db, os.path.join(library, "songs.csv")])
    write_state(home, music)
    desktop.start_player(build)
    panel = desktop.wait_window(PANEL)
    desktop.click(panel, *SELECT_HOT_SPOT)
    selection = desktop.wait_window("^選曲")
    width, height = desktop.size(selection)
    full_search = (width - 84, height - 79)
    figures = {}

    pressed = time.monotonic()
    desktop.click(selection, *full_search)
    caption, finished = desktop.wait_caption(selection, searched)
    figures["full"] = (finished - pressed, caption)
    if (count_of(caption) or (0, 0))[1] > 0:
        window_figures(desktop, selection, width, height, figures)
    else:
        figures.update(search=None, text=None, ticked=caption, sound=None)
    figures["pss"] = desktop.pss_mb()
    desktop.stop_player()

    # The candidates as the scan records them, whatever the player left in the table.
    candidates = os.path.join(home, "candidates.csv")
    with open(candidates, "w") as table:
        for root, _, files in os.walk(music):
            for name in files:
                table.write("%s,%s/\n" % (name, root))
    run(["sqlite3", db, "DELETE FROM 選択候補", ".import --csv %s 選択候補" % candidates])
    select = "SELECT *" + TREE_FILTER + TREE_ORDER
    text = " AND (" + " OR ".join("%s LIKE '%%%s%%'" % (c, SEARCH_TEXT) for c in SEARCH_COLUMNS)
    anchors = {
        "find": min(timed(["sh", "-c", "find '%s' -name '*.mp3' | wc -l" % music])[0]
                    for _ in range(3)),
        "query": sqlite_seconds(db, select),
        "text": sqlite_seconds(db, "SELECT *" + TREE_FILTER + text + ")" + TREE_ORDER),
    }
    return figures, anchors


def startup_figures(build, library, desktop, songs):
    """Start-up with a saved list of every song to the shown panel, against mpv loading the same
    list to its first "Playing:" (median of 3 each)."""
    home = desktop.work
    music = os.path.join(library, "music")
    playlist = os.path.join(home, "every-song.m3u")
    with open(playlist, "w", newline="") as m3u:
        for song in range(songs):
            m3u.write("%s/d%04d/s%07d.mp3\r\n" % (music, song % 1000, song))
    ours, theirs = [], []
    for _ in range(3):
        # Put back each time: the player saves its own list when it closes.
        shutil.copyfile(playlist, os.path.join(home, "sorvane.m3u"))
        write_state(home, music, songs)
        started = desktop.start_player(build)
        desktop.wait_window(PANEL)
        ours.append(time.monotonic() - started)
        pss = desktop.pss_mb()
        desktop.stop_player()
        time.sleep(0.5)
        started = time.monotonic()
        mpv = subprocess.Popen(["mpv", "--no-config", "--vo=null", "--ao=null",
                                "--playlist=" + playlist], stdout=subprocess.PIPE, text=True,
                               env=desktop.env)
        for line in mpv.stdout:
            if line.startswith("Playing:"):
                theirs.append(time.monotonic() - started)
                break
        mpv.send_signal(signal.SIGTERM)
        mpv.wait()
    return statistics.median(ours), statistics.median(theirs), pss


def ratio(ours, anchor):
    return "%.2f" % (ours / anchor) if ours and anchor else "—"


def print_table(rows):
    print("| measure | goal | anchor (same run) | ours | ratio |")
    print("|---|---|---|---|---|")
    for measure, goal, anchor, ours, r in rows:
        print("| %s | %s | %s | %s | %s |" % (measure, goal, anchor, ours,
                                           "—" if r is None else "%.2f" % r))


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))  # still ends the player
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    build, songs = os.path.abspath(sys.argv[1]), int(sys.argv[2])
    cache = os.path.abspath(sys.argv[3])
    os.makedirs(cache, exist_ok=True)
    work = tempfile.mkdtemp(prefix="sorv-bench-")  # owner-only, as a runtime folder must be
    try:
        rows = import_figures(build, cache, songs, work)
        if "--import-only" not in sys.argv:
            rows += player_rows(build, cache, songs, work)
        print_table(rows)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def player_rows(build, cache, songs, work):
    library = make_library(songs, cache)
    desktop = Desktop(work)
    try:
        figures, anchors = selection_figures(build, library, desktop, songs)
        startup, mpv, startup_pss = startup_figures(build, library, desktop, songs)
    finally:
        desktop.close()
    n = f"{songs:,}"
    full_anchor = anchors["find"] + anchors["query"]
    seconds = lambda figure: "%.2f" % figure[0] if figure else "not measured"
    caption = lambda figure: figure[1] if figure else "no songs to search"
    share = lambda figure, anchor: figure[0] / anchor if figure else None
    sound = figures["sound"]
    return [
        ("全検索 on %s files, s (until the count caption: %s)" % (n, figures["full"][1]),
         "≤ 0.5 s, ≤ 2× anchor", "find \\| wc -l + tree query in sqlite3: %.2f" % full_anchor,
         seconds(figures["full"]), share(figures["full"], full_anchor)),
        ("検索 without rescan, s (%s)" % caption(figures["search"]), "≤ 0.2 s",
         "tree query in sqlite3: %.2f" % anchors["query"], seconds(figures["search"]),
         share(figures["search"], anchors["query"])),
        ("search text \"%s\", s (%s)" % (SEARCH_TEXT, caption(figures["text"])), "≤ 0.1 s",
         "the query with LIKE in sqlite3: %.2f" % anchors["text"], seconds(figures["text"]),
         share(figures["text"], anchors["text"])),
        ("選曲完了 with every genre ticked (%s) to the first sound, s" % figures["ticked"],
         "≤ 0.3 s", "—", "%.2f" % sound if sound is not None else "no sound", None),
        ("PSS with the tree and the play list of %s songs, MB" % n, "≤ 120", "—",
         "%.0f" % figures["pss"], None),
        ("start-up with a saved list of %s to the shown panel, s (median of 3)" % n, "≤ mpv",
         "mpv loading the list to its first \"Playing:\": %.2f" % mpv, "%.2f" % startup,
         startup / mpv),
        ("PSS right after that start-up, MB", "—", "—", "%.0f" % startup_pss, None),
    ]


if __name__ == "__main__":
    main()
