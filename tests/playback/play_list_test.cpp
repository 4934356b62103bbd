// Building the play list from paths, play-list files and drops.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

#include "core/session/DroppedFiles.h"
#include "playback/NewList.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QStringList entries(const State& s) {
  QStringList files;
  for (int i = 1; i <= s.listCount; ++i) files << s.entry(i).file;
  return files;
}

class PlayListTest : public PlayerFixture {
 protected:
  QString m3u(const QStringList& lines) {
    const QString path = dir.filePath("list.m3u");
    writeAll(path, lines.join("\r\n").toUtf8() + "\r\n");
    return path;
  }
};

TEST_F(PlayListTest, FileTableTakesMp3AndRmpAndCountsUp) {
  s.listPos = 7;
  setFileTable(s, v, {"/a/One.MP3", "/a/two.txt", "/a/three.Rmp"});
  EXPECT_EQ(s.listCount, 3);
  EXPECT_EQ(s.listPos, 7);
  EXPECT_EQ(entries(s), QStringList({"/a/One.MP3", "", "/a/three.Rmp"}));
  EXPECT_EQ(s.entry(1).extension, "mp3");
  EXPECT_EQ(s.entry(2).extension, "");
  EXPECT_EQ(s.entry(3).extension, "rmp");
  EXPECT_EQ(v.counterText, "0000 / 0003");
  // A long list is taken whole and counts up in steps: a repaint for every entry froze the
  // window for seconds.
  QStringList paths;
  for (int i = 0; i < 100000; ++i) paths << QString("/m/%1.mp3").arg(i);
  v.counterHistory.clear();
  setFileTable(s, v, paths);
  EXPECT_EQ(s.listCount, 100000);
  EXPECT_EQ(s.entry(100000).file, "/m/99999.mp3");
  EXPECT_GT(v.counterHistory.size(), 1);
  EXPECT_LE(v.counterHistory.size(), 51);
  EXPECT_EQ(v.counterHistory.last(), "0000 / 100000");
}

TEST_F(PlayListTest, MissingSecondFileMovesPositionToSameSong) {
  QStringList lines;
  for (int i = 1; i <= 5; ++i) lines << makeFile(dir, QString("s%1.MP3").arg(i));
  QFile::remove(lines[1]);
  s.listPos = 4;
  loadM3u(s, m3u(lines), 0);
  EXPECT_EQ(s.listCount, 4);
  EXPECT_EQ(s.listPos, 3);
  EXPECT_EQ(s.entry(3).file, lines[3]);
  EXPECT_EQ(s.entry(3).extension, "MP3");
}

TEST_F(PlayListTest, ResetFlagPutsListAtFirstEntry) {
  const QString a = makeFile(dir, "a.mp3");
  s.listPos = 9;
  loadM3u(s, m3u({dir.filePath("gone.mp3"), a}), 1);
  EXPECT_EQ(entries(s), QStringList({a}));
  EXPECT_EQ(s.listPos, 1);
}

TEST_F(PlayListTest, AllMissingGivesEmptyList) {
  for (int flag : {0, 1}) {
    s.listPos = 2;
    loadM3u(s, m3u({"/no/a.mp3", "/no/b.mp3", "/no/c.mp3"}), flag);
    EXPECT_EQ(s.listCount, 0);
    EXPECT_EQ(s.listPos, 0);
  }
  s.listPos = 3;
  loadM3u(s, dir.filePath("absent.m3u"), 0);
  EXPECT_EQ(s.listCount, 0);
  EXPECT_EQ(s.listPos, 0);
}

TEST_F(PlayListTest, SavedPositionBeyondTheListIsClamped) {
  const QString a = makeFile(dir, "a.mp3");
  const QString b = makeFile(dir, "b.mp3");
  s.listPos = 9;
  loadM3u(s, m3u({a, b}), 0);
  EXPECT_EQ(s.listPos, 2);
}

// Blanks around a line are not part of the name; blanks inside it are.
TEST_F(PlayListTest, LinesKeepCommasBlanksAndQuotes) {
  const QString comma = makeFile(dir, "a, b.mp3");
  const QString blanks = makeFile(dir, "  lead.mp3");
  const QString quoted = makeFile(dir, "q.mp3");
  const QString padded = makeFile(dir, "padded.mp3");
  loadM3u(s,
          m3u({"#EXTM3U", comma, dir.path() + "/  lead.mp3", "\"" + quoted + "\"", "",
               "  " + padded + " \t"}),
          1);
  EXPECT_EQ(entries(s), QStringList({comma, blanks, quoted, padded}));
}

// A list far beyond 32,767 entries comes back whole, its header and comment lines left out, and
// the current song stays current past the 16-bit range. A link to a song is one; a missing file
// and a folder are not.
TEST_F(PlayListTest, HundredThousandLinesLoadWhole) {
  constexpr int kSongs = 100000;
  const QString song = makeFile(dir, "song.mp3");
  const QString link = dir.filePath("link.mp3");
  ASSERT_TRUE(QFile::link(song, link));
  ASSERT_TRUE(QDir(dir.path()).mkpath("folder.mp3"));
  const QMap<int, QString> odd{{30000, dir.filePath("folder.mp3")},
                               {50000, dir.filePath("gone.mp3")},
                               {60000, link},
                               {70000, makeFile(dir, "x.mp3")}};
  QStringList lines{"#EXTM3U"};
  for (int i = 1; i <= kSongs; ++i) lines << "#EXTINF:1,song" << odd.value(i, song);
  s.listPos = 70000;
  loadM3u(s, m3u(lines), 0);
  EXPECT_EQ(s.listCount, kSongs - 2);
  EXPECT_EQ(s.listPos, 69998);
  EXPECT_EQ(s.entry(59998).file, link);
  EXPECT_EQ(s.entry(69998).file, dir.filePath("x.mp3"));
  EXPECT_EQ(s.entry(kSongs - 2).file, song);
}

// "./name", ".\name" and "sub/name" are files beside the list, wherever the program runs.
TEST_F(PlayListTest, RelativeNamesAreFilesInTheListsFolder) {
  const QString here = makeFile(dir, "lists/here.mp3");
  const QString back = makeFile(dir, "lists/back.mp3");
  const QString deep = makeFile(dir, "lists/sub/deep.mp3");
  const QString list = dir.filePath("lists/list.m3u");
  writeAll(list, "./here.mp3\r\n.\\back.mp3\r\nsub/deep.mp3\r\n");
  ASSERT_NE(QDir::currentPath(), dir.filePath("lists"));
  loadM3u(s, list, 1);
  EXPECT_EQ(entries(s), QStringList({here, back, deep}));
}

TEST_F(PlayListTest, ShiftJisPlayListIsRead) {
  const QString song = makeFile(dir, "歌.mp3");
  QByteArray bytes = dir.path().toUtf8() + "/\x89\xcc.mp3\r\n";  // 歌 in CP932
  writeAll(dir.filePath("sjis.m3u"), bytes);
  loadM3u(s, dir.filePath("sjis.m3u"), 1);
  EXPECT_EQ(entries(s), QStringList({song}));
}

// Lists of other players: "file:" URIs, percent-encoded, of this host; "#EXTINF" lines; named
// ".m3u8". A list none of whose entries can be played is named in a message.
TEST_F(PlayListTest, ListsOfOtherPlayersAreReadAndAnUnplayableOneIsNamed) {
  makeList(s, d, 3);
  ASSERT_TRUE(player.start(2));
  const QString spaced = makeFile(dir, "other/歌 #1 100%.mp3");
  const QString local = makeFile(dir, "other/local.mp3");
  const QString plain = makeFile(dir, "other/plain.mp3");
  const QString encoded =
      QString::fromLatin1(QUrl::toPercentEncoding(dir.filePath("other/歌 #1 100%.mp3"), "/"));
  const QString list = dir.filePath("other/Mix.M3U8");
  writeAll(list, ("\xEF\xBB\xBF#EXTM3U\n#EXTINF:215,Artist - 歌\nfile://" + encoded +
                  "\n#EXTINF:10,x\nFILE://localhost" + QUrl::toPercentEncoding(local, "/") +
                  "\nfile://elsewhere" + QUrl::toPercentEncoding(local, "/") + "\nfile://" +
                  dir.filePath("other/gone.mp3") + "\nhttp://radio/stream.mp3\n" + plain + "\n")
                     .toUtf8());
  handOver(player, list);
  EXPECT_EQ(entries(s), QStringList({spaced, local, plain}));
  EXPECT_EQ(d.openPath, spaced.toStdString());
  EXPECT_TRUE(messages.texts.isEmpty());
  // Nothing to play: said, not left to an empty counter.
  const QString unplayable = dir.filePath("other/gone.m3u8");
  writeAll(unplayable, "#EXTM3U\n#EXTINF:1,gone\nfile:///nowhere/gone.mp3\n");
  handOver(player, unplayable);
  EXPECT_EQ(messages.texts, QStringList{unplayable + "が開けません。"});
  EXPECT_EQ(s.listCount, 0);
}

TEST_F(PlayListTest, DroppedFolderIsWalkedBreadthFirst) {
  makeFile(dir, "top/b.mp3");
  makeFile(dir, "top/a.MP3");
  makeFile(dir, "top/notes.txt");
  makeFile(dir, "top/x/deep/d.mp3");
  makeFile(dir, "top/x/c.mp3");
  makeFile(dir, "top/y/e.mp3");
  makeFile(dir, "top/.hidden/h.mp3");
  makeFile(dir, "top/x/f.FLAC");
  makeFile(dir, "top/y/g.m4a");
  makeFile(dir, "top/y/h.rmp");
  const QString root = dir.filePath("top");
  // Without the other formats a drop takes what it always took.
  const QStringList mp3Only = {root + "/a.MP3", root + "/b.mp3", root + "/x/c.mp3",
                               root + "/y/e.mp3", root + "/x/deep/d.mp3"};
  EXPECT_EQ(collectDroppedFiles({root}, SongFiles::Mp3Only), mp3Only);
  const QStringList items = {"/x/song.Mp3", "/x/a.rmp", "/x/b.ogg", root + "/notes.txt",
                             dir.filePath("nothing")};
  EXPECT_EQ(collectDroppedFiles(items, SongFiles::Mp3Only),
            QStringList({"/x/song.Mp3", "/x/a.rmp"}));
  const QStringList all = {root + "/a.MP3",       root + "/b.mp3",   root + "/x/c.mp3",
                           root + "/x/f.FLAC",    root + "/y/e.mp3", root + "/y/g.m4a",
                           root + "/x/deep/d.mp3"};
  EXPECT_EQ(collectDroppedFiles({root}, SongFiles::AllFormats), all);
  EXPECT_EQ(collectDroppedFiles(items, SongFiles::AllFormats),
            QStringList({"/x/song.Mp3", "/x/a.rmp", "/x/b.ogg"}));
  const QString old = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_EQ(collectDroppedFiles({"top"}, SongFiles::Mp3Only), mp3Only)
      << "a relative name is made absolute";
  QDir::setCurrent(old);
}

TEST_F(PlayListTest, DropBuildsListAndStarts) {
  const QString song = makeFile(dir, "drop/one.mp3");
  makeFile(dir, "drop/sub/two.mp3");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.filePath("drop"))});
  openDropped(player, data);
  EXPECT_EQ(s.listCount, 2);
  EXPECT_EQ(s.listPos, 1);
  EXPECT_TRUE(player.isPlaying());
  EXPECT_EQ(d.openPath, song.toStdString());
  EXPECT_EQ(v.counterText, "0001 / 0002");
  EXPECT_EQ(v.barCounter, "0001 / 0002") << "the bar and the panel must agree";
}

// What plays goes on, with its list: stop and pause still reach it.
TEST_F(PlayListTest, DropWithoutPlayableFilesKeepsTheListThatPlays) {
  makeList(s, d, 3);
  ASSERT_TRUE(player.start(2));
  d.clearCalls();
  QMimeData text;
  text.setText("hello");
  openDropped(player, text);
  QMimeData noAudio;
  noAudio.setUrls({QUrl::fromLocalFile(makeFile(dir, "readme.txt"))});
  openDropped(player, noAudio);
  EXPECT_EQ(s.listCount, 3);
  EXPECT_EQ(s.listPos, 2);
  EXPECT_TRUE(player.isPlaying());
  EXPECT_TRUE(d.calls.empty());
}

}  // namespace
}  // namespace sorv::test
