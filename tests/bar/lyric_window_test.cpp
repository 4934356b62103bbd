#include <gtest/gtest.h>

#include <QLabel>

#include "bar/LyricsWindow.h"
#include "tests/common/FakeEngine.h"

namespace sorv::test {
namespace {

class LyricWindowTest : public ::testing::Test {
 protected:
  LyricWindowTest() {
    d.lyricsRecord.slot = {"after two", "after one", "now", "before one", "before two"};
  }
  QColor lineColour(int i) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("Lyric1_%1").arg(i));
    return label->palette().color(QPalette::WindowText);
  }
  State s;
  FakeEngine d;
  LyricsWindow window{s, d};
};

using Lines = std::array<QString, 5>;

TEST_F(LyricWindowTest, OpeningWhileStoppedShowsFiveEmptyLines) {
  s.hasLyrics = 1;
  s.playState = 0;
  window.open();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "歌詞表示");
  EXPECT_EQ(window.lines(), Lines{});
  EXPECT_EQ(d.nextAdjustTime, 1000);
}

TEST_F(LyricWindowTest, OpeningDuringPlayShowsTheCurrentLinesOldestAtTheTop) {
  s.hasLyrics = 1;
  s.playState = 1;
  window.open();
  EXPECT_EQ(window.lines(), (Lines{"before two", "before one", "now", "after one", "after two"}));
  EXPECT_EQ(lineColour(0), QColor(0, 192, 192));
  EXPECT_EQ(lineColour(1), QColor(0, 192, 192));
  EXPECT_EQ(lineColour(2), QColor(255, 255, 0));
  EXPECT_EQ(lineColour(3), QColor(0, 255, 255));
  EXPECT_EQ(lineColour(4), QColor(0, 255, 255));
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(LyricWindowTest, ASlotEndsAtItsFirstNulOrRunsTheWholeField) {
  s.hasLyrics = 1;
  s.playState = 1;
  const std::string full(128, 'x');
  d.lyricsRecord.slot[2] = std::string("now\0garbage", 11);
  d.lyricsRecord.slot[0] = full;
  window.open();
  EXPECT_EQ(window.lines()[2], "now");
  EXPECT_EQ(window.lines()[4], QString::fromStdString(full));
}

TEST_F(LyricWindowTest, WritingLinesLoadsTheWindowWithoutShowingIt) {
  window.setLines({"a", "b", "c", "d", "e"});
  EXPECT_TRUE(window.isLoaded());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.lines(), (Lines{"a", "b", "c", "d", "e"}));
  EXPECT_LE(d.nextAdjustTime, 0) << "a hidden window must not move the lines ahead";
}

TEST_F(LyricWindowTest, ClosingUnloadsAndStopsTheTickWriting) {
  s.lyricShow = 1;
  window.open();
  window.close();
  EXPECT_FALSE(window.isLoaded());
  EXPECT_EQ(s.lyricShow, 0);
  EXPECT_EQ(d.nextAdjustTime, 0);
  // Opening again loads afresh and leaves lyricShow alone.
  window.open();
  EXPECT_EQ(s.lyricShow, 0);
  EXPECT_EQ(d.nextAdjustTime, 1000);
}

TEST_F(LyricWindowTest, FontFollowsTheSmallerSideFrom21PointsUp) {
  window.open();
  window.resize(400, 200);  // 300 x 150 points
  EXPECT_DOUBLE_EQ(window.lineFontSize(), 15);
  window.resize(28, 200);  // 21 points wide
  EXPECT_DOUBLE_EQ(window.lineFontSize(), 2.1);
  window.resize(400, 27);  // 20.25 points high: 20, too small, the size stays
  EXPECT_DOUBLE_EQ(window.lineFontSize(), 2.1);
  window.resize(300, 26);  // 19.5 points rounds to 20: stays too
  EXPECT_DOUBLE_EQ(window.lineFontSize(), 2.1);
}

TEST_F(LyricWindowTest, EveryResizeLaysTheFiveLinesOutAgain) {
  window.open();
  window.resize(600, 300);  // 450 x 225 points: lines 45 points (60 px) high
  for (int i = 0; i < 5; ++i) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("Lyric1_%1").arg(i));
    EXPECT_EQ(label->geometry(), QRect(13, 60 * i, 600, 60)) << "line " << i;
  }
}

}  // namespace
}  // namespace sorv::test
