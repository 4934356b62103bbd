#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/State.h"

namespace sorv {
namespace {

TEST(PathWithSep, TrimsAndAppendsTheSeparator) {
  QString path = "  /music/anime  ";
  EXPECT_EQ(PathWithSep(path), "/music/anime/");
  EXPECT_EQ(path, "/music/anime/");
}

TEST(PathWithSep, LeavesPathsThatEndInTheSeparatorAndBlankPathsAsTheyAre) {
  QString withBlanks = " /music/  ";
  EXPECT_EQ(PathWithSep(withBlanks), " /music/  ");
  QString blanks = "   ";
  EXPECT_EQ(PathWithSep(blanks), "   ");
  QString empty;
  EXPECT_EQ(PathWithSep(empty), "");
}

TEST(FileNamePart, GivesTheLastComponentOrNothing) {
  EXPECT_EQ(FileNamePart("/music/anime/song.mp3"), "song.mp3");
  EXPECT_EQ(FileNamePart("song.mp3"), "");
  EXPECT_EQ(FileNamePart("/music/"), "");
}

TEST(State, DefaultsFollowTheSettingsFolder) {
  State s;
  s.WorkPath = "/home/u/sorvane/";
  s.EquLevel.fill(7);
  s.SetDefaults("/cwd");
  EXPECT_EQ(s.VolLevel[0], 80);
  EXPECT_EQ(s.VolLevel[1], 80);
  EXPECT_EQ(s.EquPreNo, 5);
  EXPECT_EQ(s.UseSongDb, 1);
  EXPECT_EQ(s.ShowScope, 1);
  EXPECT_EQ(s.SaveSelInfo, 0);
  EXPECT_EQ(s.BarHideOpt, 1);
  EXPECT_EQ(s.CpuLoad, 10);
  EXPECT_EQ(s.PathDir[1], "/cwd");
  EXPECT_EQ(s.PathDir[2], "");
  for (int i = 4; i <= 6; ++i) EXPECT_EQ(s.PathDir[i], "/home/u/sorvane/");
  for (int v : s.EquLevel) EXPECT_EQ(v, 0);
}

TEST(State, CounterAndCaptions) {
  State s;
  s.ListPos = 3;
  s.ListCount = 12;
  s.VerNo = kVersionText;
  s.TitleText = "残酷な天使のテーゼ";
  EXPECT_EQ(s.CounterText(), "0003 / 0012");
  EXPECT_EQ(s.IdleCaption(), "そるばね Ver.1.14");
  EXPECT_EQ(s.PlayingCaption(), "♪残酷な天使のテーゼ");
}

TEST(State, ResizeListBlanksEveryRecord) {
  State s;
  s.ResizeList(2);
  s.ListInfo[1].fileSize = 99;
  s.ListTag[1].title = "x";
  s.ResizeList(3);
  ASSERT_EQ(s.ListFile.size(), 4);
  EXPECT_EQ(s.ListInfo[1].fileSize, 0);
  EXPECT_EQ(s.ListTag[1].title, "");
}

class WorkPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane")).clear();
  }
  static QString stored() {
    return QSettings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane"))
        .value("Work/Path")
        .toString();
  }
  QTemporaryDir dir_;
};

TEST_F(WorkPathTest, FirstRunWritesTheCurrentFolder) {
  EXPECT_EQ(LoadWorkPath("/start/here/"), "/start/here/");
  EXPECT_EQ(stored(), "/start/here/");
}

TEST_F(WorkPathTest, AStoredValueWithoutSeparatorIsUsedWithOneAndNotRewritten) {
  SaveWorkPath("/data/sorvane");
  EXPECT_EQ(LoadWorkPath("/elsewhere/"), "/data/sorvane/");
  EXPECT_EQ(stored(), "/data/sorvane");
}

}  // namespace
}  // namespace sorv
