// Building the play list from paths, play-list files and drops.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

#include "playback/DroppedFiles.h"
#include "playback/PlayList.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QStringList Entries(const State& s) {
  QStringList files;
  for (int i = 1; i <= s.ListCount; ++i) files << s.ListFile[i];
  return files;
}

class PlayListTest : public ::testing::Test {
 protected:
  void SetUp() override { s.DbState = -1; }
  QString M3u(const QStringList& lines) {
    const QString path = dir.filePath("list.m3u");
    WriteAll(path, lines.join("\r\n").toUtf8() + "\r\n");
    return path;
  }
  QTemporaryDir dir;
  State s;
  FakeDecoder d;
  FakeView v;
  MessageCapture messages;
};

TEST_F(PlayListTest, FileTableTakesMp3AndRmpAndCountsUp) {
  s.ListPos = 7;
  SetFileTable(s, v, {"/a/One.MP3", "/a/two.txt", "/a/three.Rmp"});
  EXPECT_EQ(s.ListCount, 3);
  EXPECT_EQ(s.ListPos, 7);
  EXPECT_EQ(Entries(s), QStringList({"/a/One.MP3", "", "/a/three.Rmp"}));
  EXPECT_EQ(s.ListExt[1], "mp3");
  EXPECT_EQ(s.ListExt[2], "");
  EXPECT_EQ(s.ListExt[3], "rmp");
  EXPECT_EQ(v.counterHistory, QStringList({"0000 / 0001", "0000 / 0002", "0000 / 0003"}));
}

TEST_F(PlayListTest, FileTableTakesAtMostTheListCapacity) {
  QStringList paths;
  for (int i = 0; i < 40000; ++i) paths << QString("/m/%1.mp3").arg(i);
  SetFileTable(s, paths);
  EXPECT_EQ(s.ListCount, 32767);
  EXPECT_EQ(s.ListFile[32767], "/m/32766.mp3");
}

TEST_F(PlayListTest, MissingSecondFileMovesPositionToSameSong) {
  QStringList lines;
  for (int i = 1; i <= 5; ++i) lines << MakeFile(dir, QString("s%1.MP3").arg(i));
  QFile::remove(lines[1]);
  s.ListPos = 4;
  LoadM3u(s, M3u(lines), 0);
  EXPECT_EQ(s.ListCount, 4);
  EXPECT_EQ(s.ListPos, 3);
  EXPECT_EQ(s.ListFile[3], lines[3]);
  EXPECT_EQ(s.ListExt[3], "MP3");
}

TEST_F(PlayListTest, ResetFlagPutsListAtFirstEntry) {
  const QString a = MakeFile(dir, "a.mp3");
  s.ListPos = 9;
  LoadM3u(s, M3u({dir.filePath("gone.mp3"), a}), 1);
  EXPECT_EQ(Entries(s), QStringList({a}));
  EXPECT_EQ(s.ListPos, 1);
}

TEST_F(PlayListTest, AllMissingGivesEmptyList) {
  for (int flag : {0, 1}) {
    s.ListPos = 2;
    LoadM3u(s, M3u({"/no/a.mp3", "/no/b.mp3", "/no/c.mp3"}), flag);
    EXPECT_EQ(s.ListCount, 0);
    EXPECT_EQ(s.ListPos, 0);
  }
  s.ListPos = 3;
  LoadM3u(s, dir.filePath("absent.m3u"), 0);
  EXPECT_EQ(s.ListCount, 0);
  EXPECT_EQ(s.ListPos, 0);
}

TEST_F(PlayListTest, SavedPositionBeyondTheListIsClamped) {
  const QString a = MakeFile(dir, "a.mp3");
  const QString b = MakeFile(dir, "b.mp3");
  s.ListPos = 9;
  LoadM3u(s, M3u({a, b}), 0);
  EXPECT_EQ(s.ListPos, 2);
}

TEST_F(PlayListTest, LinesKeepCommasBlanksAndQuotes) {
  const QString comma = MakeFile(dir, "a, b.mp3");
  const QString blanks = MakeFile(dir, "  lead.mp3");
  const QString quoted = MakeFile(dir, "q.mp3");
  LoadM3u(s, M3u({"#EXTM3U", comma, dir.path() + "/  lead.mp3", "\"" + quoted + "\"", ""}), 1);
  EXPECT_EQ(Entries(s), QStringList({comma, blanks, quoted}));
}

TEST_F(PlayListTest, DotSlashNamesTheCurrentFolder) {
  const QString a = MakeFile(dir, "here.mp3");
  const QString old = QDir::currentPath();
  QDir::setCurrent(dir.path());
  LoadM3u(s, M3u({"./here.mp3"}), 1);
  QDir::setCurrent(old);
  ASSERT_EQ(s.ListCount, 1);
  EXPECT_EQ(QFileInfo(s.ListFile[1]).canonicalFilePath(), QFileInfo(a).canonicalFilePath());
}

TEST_F(PlayListTest, ShiftJisPlayListIsRead) {
  const QString song = MakeFile(dir, "歌.mp3");
  QByteArray bytes = dir.path().toUtf8() + "/\x89\xcc.mp3\r\n";  // 歌 in CP932
  WriteAll(dir.filePath("sjis.m3u"), bytes);
  LoadM3u(s, dir.filePath("sjis.m3u"), 1);
  EXPECT_EQ(Entries(s), QStringList({song}));
}

TEST_F(PlayListTest, DroppedFolderIsWalkedBreadthFirst) {
  MakeFile(dir, "top/b.mp3");
  MakeFile(dir, "top/a.MP3");
  MakeFile(dir, "top/notes.txt");
  MakeFile(dir, "top/x/deep/d.mp3");
  MakeFile(dir, "top/x/c.mp3");
  MakeFile(dir, "top/y/e.mp3");
  MakeFile(dir, "top/.hidden/h.mp3");
  const QString root = dir.filePath("top");
  const QStringList expected = {root + "/a.MP3", root + "/b.mp3", root + "/x/c.mp3",
                                root + "/y/e.mp3", root + "/x/deep/d.mp3"};
  EXPECT_EQ(CollectDroppedFiles({root}), expected);
  EXPECT_EQ(CollectDroppedFiles({"/x/song.Mp3", root + "/notes.txt", dir.filePath("nothing")}),
            QStringList({"/x/song.Mp3"}));
}

TEST_F(PlayListTest, DropBuildsListAndStarts) {
  const QString song = MakeFile(dir, "drop/one.mp3");
  MakeFile(dir, "drop/sub/two.mp3");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.filePath("drop"))});
  OpenDropped(s, d, v, data);
  EXPECT_EQ(s.ListCount, 2);
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(d.openPath, song.toStdString());
  EXPECT_EQ(v.counter, "0001 / 0002");
  EXPECT_EQ(v.barCounter, "0000 / 0002");
}

TEST_F(PlayListTest, DropWithoutFilesChangesLittle) {
  MakeList(s, d, 3);
  QMimeData text;
  text.setText("hello");
  OpenDropped(s, d, v, text);
  EXPECT_EQ(s.ListCount, 3);
  QMimeData noAudio;
  noAudio.setUrls({QUrl::fromLocalFile(MakeFile(dir, "readme.txt"))});
  OpenDropped(s, d, v, noAudio);
  EXPECT_EQ(s.ListCount, 0);
  EXPECT_FALSE(d.called("play"));
}

}  // namespace
}  // namespace sorv::test
