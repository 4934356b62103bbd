#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/State.h"
#include "tests/common/ListFiles.h"

namespace sorv {
namespace {

TEST(pathWithSep, TrimsAndAppendsTheSeparator) {
  QString path = "  /music/anime  ";
  EXPECT_EQ(pathWithSep(path), "/music/anime/");
  EXPECT_EQ(path, "/music/anime/");
}

TEST(pathWithSep, LeavesPathsThatEndInTheSeparatorAndBlankPathsAsTheyAre) {
  QString withBlanks = " /music/  ";
  EXPECT_EQ(pathWithSep(withBlanks), " /music/  ");
  QString blanks = "   ";
  EXPECT_EQ(pathWithSep(blanks), "   ");
  QString empty;
  EXPECT_EQ(pathWithSep(empty), "");
}

TEST(fileNamePart, GivesTheLastComponentOrNothing) {
  EXPECT_EQ(fileNamePart("/music/anime/song.mp3"), "song.mp3");
  EXPECT_EQ(fileNamePart("song.mp3"), "");
  EXPECT_EQ(fileNamePart("/music/"), "");
}

TEST(State, DefaultsFollowTheSettingsFolder) {
  State s;
  s.workPath = "/home/u/sorvane/";
  s.equLevel.fill(7);
  s.setDefaults("/cwd");
  EXPECT_EQ(s.volLevel[0], 80);
  EXPECT_EQ(s.volLevel[1], 80);
  EXPECT_EQ(s.equPreNo, 5);
  EXPECT_EQ(s.useSongDb, 1);
  EXPECT_EQ(s.showScope, 1);
  EXPECT_EQ(s.saveSelInfo, 0);
  EXPECT_EQ(s.barHideOpt, 1);
  EXPECT_EQ(s.cpuLoad, 10);
  EXPECT_EQ(s.pathDir[1], "/cwd");
  EXPECT_EQ(s.pathDir[2], "");
  for (int i = 4; i <= 6; ++i) EXPECT_EQ(s.pathDir[i], "/home/u/sorvane/");
  for (int v : s.equLevel) EXPECT_EQ(v, 0);
}

TEST(State, CounterAndCaptions) {
  State s;
  s.listPos = 3;
  s.listCount = 12;
  s.verNo = kVersionText;
  s.titleText = "残酷な天使のテーゼ";
  EXPECT_EQ(s.counterText(), "0003 / 0012");
  EXPECT_EQ(s.idleCaption(), "そるばね Ver.1.14");
  EXPECT_EQ(s.playingCaption(), "♪残酷な天使のテーゼ");
}

TEST(State, ResizeListBlanksEveryRecord) {
  State s;
  s.resizeList(2);
  s.entry(1).stream->fileSize = 99;
  s.entry(1).tag->title = "x";
  s.resizeList(3);
  ASSERT_EQ(s.entries.size(), 3);
  EXPECT_EQ(s.entry(1).stream->fileSize, 0);
  EXPECT_EQ(s.entry(1).tag->title, "");
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
  EXPECT_EQ(loadWorkPath("/start/here/"), "/start/here/");
  EXPECT_EQ(stored(), "/start/here/");
}

TEST_F(WorkPathTest, AStoredValueWithoutSeparatorIsUsedWithOneAndNotRewritten) {
  saveWorkPath("/data/sorvane");
  EXPECT_EQ(loadWorkPath("/elsewhere/"), "/data/sorvane/");
  EXPECT_EQ(stored(), "/data/sorvane");
}

}  // namespace
}  // namespace sorv
