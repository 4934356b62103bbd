// The state file and the saved play list: exact bytes, round trips, damaged files, command lines.
#include <gtest/gtest.h>

#include "core/session/StateFile.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work = dir.path() + "/";
    s.WorkPath = work;
  }
  // A fresh start-up state over the same settings folder.
  State Reloaded(const QString& commandLine = QString()) {
    State fresh;
    fresh.WorkPath = work;
    LoadState(fresh, commandLine, "/current/");
    return fresh;
  }
  QString StateFile() const { return work + "sorvane.dat"; }
  QTemporaryDir dir;
  QString work;
  State s;
  MessageCapture messages;
};

TEST_F(StateFileTest, WritesNineteenLinesExactly) {
  s.SetDefaults("/music/");
  s.SaveSelInfo = 1;
  QStringList paths;
  for (int i = 1; i <= 12; ++i) paths << QString("/m/%1.mp3").arg(i);
  SetFileTable(s, paths);
  s.ListPos = 3;
  s.PathDir[4] = work;
  ASSERT_TRUE(SaveState(s));
  const QByteArray w = work.toUtf8();
  const QByteArray expected = "1,12,3\r\n" + QByteArray("0\r\n").repeated(10) +
                              "5,80,80\r\n1,1\r\n\"/music/\",\"\",\"\"\r\n\"" + w + "\",\"" + w +
                              "\"\r\n0,0,10\r\n\"" + w + "\"\r\n1,0\r\n0\r\n";
  EXPECT_EQ(ReadAll(StateFile()), expected);
  EXPECT_EQ(ReadAll(work + "sorvane.m3u"), paths.join("\r\n").toUtf8() + "\r\n");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(StateFileTest, RoundTripKeepsEveryValue) {
  s.SetDefaults("/music/");
  s.SaveSelInfo = 1;
  s.UseSongDb = 0;
  s.ShowScope = 0;
  s.BarFirstOpt = 1;
  s.BarHideOpt = 0;
  s.LyricTimeMode = 1;
  s.CpuLoad = 3;
  s.LoopMode = 1;
  s.ShuffleMode = 1;
  s.EquPreNo = 2;
  s.VolLevel = {13, 100};
  s.EquLevel = {-120, -50, 0, 1, 2, 3, 4, 5, 99, 120};
  s.PathDir = {QString(), "/a/", "/b b/", "/漢字/", work, work, "/ly\"rics/"};
  SetFileTable(s, {MakeFile(dir, "1.mp3"), MakeFile(dir, "2.mp3"), MakeFile(dir, "3.mp3")});
  s.ListPos = 2;
  ASSERT_TRUE(SaveState(s));
  const State back = Reloaded();
  EXPECT_EQ(back.SaveSelInfo, 1);
  EXPECT_EQ(back.UseSongDb, 0);
  EXPECT_EQ(back.ShowScope, 0);
  EXPECT_EQ(back.BarFirstOpt, 1);
  EXPECT_EQ(back.BarHideOpt, 0);
  EXPECT_EQ(back.LyricTimeMode, 1);
  EXPECT_EQ(back.CpuLoad, 3);
  EXPECT_EQ(back.LoopMode, 1);
  EXPECT_EQ(back.ShuffleMode, 1);
  EXPECT_EQ(back.EquPreNo, 2);
  EXPECT_EQ(back.VolLevel, s.VolLevel);
  EXPECT_EQ(back.EquLevel, s.EquLevel);
  EXPECT_EQ(back.PathDir, s.PathDir);
  EXPECT_EQ(back.ListCount, 3);
  EXPECT_EQ(back.ListPos, 2);
  EXPECT_EQ(back.ListFile.mid(1, 3), s.ListFile.mid(1, 3));
  EXPECT_EQ(back.PlayState, 0);
}

TEST_F(StateFileTest, FirstRunGetsDefaultsAndLeavesTheCommandLineAlone) {
  const QString song = MakeFile(dir, "x.mp3");
  const State back = Reloaded(song);
  EXPECT_EQ(back.VolLevel[0], 80);
  EXPECT_EQ(back.PathDir[1], "/current/");
  EXPECT_EQ(back.PathDir[5], work);
  EXPECT_EQ(back.ListCount, 0);
  EXPECT_EQ(back.ListPos, 0);
  EXPECT_EQ(back.PlayState, 0);
}

TEST_F(StateFileTest, ListNotKeptLeavesOldPlayListAlone) {
  s.SetDefaults("/music/");
  s.PathDir[4] = work;
  WriteAll(work + "sorvane.m3u", MakeFile(dir, "old.mp3").toUtf8() + "\r\n");
  const QByteArray old = ReadAll(work + "sorvane.m3u");
  SetFileTable(s, {MakeFile(dir, "new.mp3")});
  s.ListPos = 1;
  ASSERT_TRUE(SaveState(s));
  EXPECT_TRUE(ReadAll(StateFile()).startsWith("0,0,0\r\n"));
  EXPECT_EQ(ReadAll(work + "sorvane.m3u"), old);
  const State back = Reloaded();
  EXPECT_EQ(back.ListCount, 0);
  EXPECT_EQ(back.ListPos, 0);
}

TEST_F(StateFileTest, DeletedThirdFileKeepsSameSongCurrent) {
  s.SetDefaults("/music/");
  s.SaveSelInfo = 1;
  s.PathDir[4] = work;
  QStringList paths;
  for (int i = 1; i <= 6; ++i) paths << MakeFile(dir, QString("%1.mp3").arg(i));
  SetFileTable(s, paths);
  s.ListPos = 5;
  ASSERT_TRUE(SaveState(s));
  QFile::remove(paths[2]);
  const State back = Reloaded();
  EXPECT_EQ(back.ListCount, 5);
  EXPECT_EQ(back.ListPos, 4);
  EXPECT_EQ(back.ListFile[4], paths[4]);
}

TEST_F(StateFileTest, ShortFileKeepsWhatWasRead) {
  WriteAll(StateFile(), "1,3,2\r\n5\r\n-7\r\n");
  const State back = Reloaded();
  EXPECT_EQ(back.SaveSelInfo, 1);
  EXPECT_EQ(back.EquLevel[0], 5);
  EXPECT_EQ(back.EquLevel[1], -7);
  EXPECT_EQ(back.EquLevel[2], 0);
  EXPECT_EQ(back.VolLevel[0], 0);
  EXPECT_EQ(back.CpuLoad, 0);
  EXPECT_EQ(back.ListCount, 0);  // no play-list file to read it from
  EXPECT_EQ(back.ListPos, 0);
}

TEST_F(StateFileTest, DamagedFileStopsAtTheDamageAndKeepsLevelsUsable) {
  WriteAll(StateFile(), "0,0,0\r\n999\r\nnot a number\r\n7\r\n");
  State back = Reloaded();
  EXPECT_EQ(back.EquLevel[0], 120);
  EXPECT_EQ(back.EquLevel[1], 0);
  EXPECT_EQ(back.EquLevel[2], 0);
  QByteArray noise;
  for (int i = 0; i < 4096; ++i) noise += char((i * 7919 + 13) % 256);
  WriteAll(StateFile(), noise);
  back = Reloaded();
  EXPECT_EQ(back.ListCount, 0);
  EXPECT_EQ(back.ListPos, 0);
  for (int32_t level : back.VolLevel) EXPECT_TRUE(level >= 0 && level <= 100);
  // Out of its 16-bit range a count is damage, not a number to wrap.
  WriteAll(StateFile(), "1,70000,2\r\n");
  back = Reloaded();
  EXPECT_EQ(back.SaveSelInfo, 1);
  EXPECT_EQ(back.ListCount, 0);
}

TEST_F(StateFileTest, CommandLineFileM3uOrOther) {
  s.SetDefaults("/music/");
  ASSERT_TRUE(SaveState(s));
  const QString mp3 = MakeFile(dir, "song.Mp3");
  State back = Reloaded(mp3);
  EXPECT_EQ(back.ListCount, 1);
  EXPECT_EQ(back.ListFile[1], mp3);
  EXPECT_EQ(back.ListPos, 1);
  EXPECT_EQ(back.PlayState, 1);

  const QString list = dir.filePath("list.M3U");
  WriteAll(list, (dir.filePath("gone.mp3") + "\r\n" + mp3 + "\r\n").toUtf8());
  back = Reloaded(list);
  EXPECT_EQ(back.ListCount, 1);
  EXPECT_EQ(back.ListFile[1], mp3);
  EXPECT_EQ(back.PlayState, 1);

  back = Reloaded(MakeFile(dir, "notes.txt"));
  EXPECT_EQ(back.ListCount, 1);
  EXPECT_EQ(back.ListFile[1], "");
  EXPECT_EQ(back.PlayState, 1);

  back = Reloaded("\"" + mp3 + "\"");
  EXPECT_EQ(back.ListCount, 0);
  EXPECT_EQ(back.PlayState, 0);
}

TEST_F(StateFileTest, CommandLinePlayListWithoutReachableEntryStartsNothing) {
  s.SetDefaults("/music/");
  ASSERT_TRUE(SaveState(s));
  const QString list = dir.filePath("dead.m3u");
  WriteAll(list, "/no/a.mp3\r\n/no/b.mp3\r\n");
  const State back = Reloaded(list);
  EXPECT_EQ(back.ListCount, 0);
  EXPECT_EQ(back.ListPos, 0);
  EXPECT_EQ(back.PlayState, 0);
}

TEST_F(StateFileTest, FailedWritesSaySo) {
  s.SetDefaults("/music/");
  s.WorkPath = work + "missing/";
  EXPECT_FALSE(SaveState(s));
  EXPECT_EQ(messages.texts, QStringList({"状態の保存に失敗しました。"}));

  s.WorkPath = work;
  ASSERT_TRUE(SaveState(s));
  // The play list's folder is gone: the state file is written, the play list is not.
  s.SaveSelInfo = 1;
  s.PathDir[4] = work + "nowhere/";
  SetFileTable(s, {"/m/a.mp3"});
  s.ListPos = 1;
  EXPECT_FALSE(SaveState(s));
  EXPECT_EQ(messages.texts.size(), 2);
  EXPECT_FALSE(QFileInfo::exists(work + "nowhere/sorvane.m3u"));
  EXPECT_TRUE(ReadAll(StateFile()).startsWith("1,1,1\r\n"));
}

}  // namespace
}  // namespace sorv::test
