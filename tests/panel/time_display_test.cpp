// The one-second tick (time, progress, end of a track) and seeking on the progress bar.
#include <QCoreApplication>

#include "panel/window/TimeDisplay.h"
#include "tests/panel/PanelFixture.h"

namespace sorv::test {

using TimeDisplay = PanelFixture;

TEST(timeLabel, MinutesWithoutLeadingZeroSecondsWithTwoDigits) {
  EXPECT_EQ(panel::timeLabel(65, 300), "1:05 / 5:00");
  EXPECT_EQ(panel::timeLabel(5, 300), "0:05 / 5:00");
  EXPECT_EQ(panel::timeLabel(0, 0), "0:00 / 0:00");
  EXPECT_EQ(panel::timeLabel(3725, 3725), "62:05 / 62:05");
}

TEST_F(TimeDisplay, TickShowsTimeAndCopiesLabelsToTheBar) {
  makeList(3, 2);
  s.entry(2).stream->length = 300;
  s.playState = 1;
  d.engineState = 1;
  d.position = 65;
  panel->setCounter(s.counterText());
  panel->clockTick();
  EXPECT_EQ(panel->time(), "1:05 / 5:00");
  EXPECT_EQ(v.barTime, "1:05 / 5:00");
  EXPECT_EQ(v.barCounter, "0002 / 0003");
  // The bar is filled up to 100 + 2500 * 65 / 300 = 641 twips: pixel 40 lit, pixel 46 not.
  const QImage& image = panel->mPanel().image();
  EXPECT_EQ(image.pixelColor(40, 58), QColor(0, 168, 168));
  EXPECT_NE(image.pixelColor(46, 58), QColor(0, 168, 168));
}

// The counter keeps its look at four digits and shows seven whole, narrower, within its well.
TEST_F(TimeDisplay, CounterShowsUpToSevenDigitsWhole) {
  panel->show();
  for (const auto& [pos, count] :
       {std::pair{3, 12}, std::pair{32768, 100000}, std::pair{1000000, 1000000}}) {
    s.listPos = pos;
    s.listCount = count;
    panel->setCounter(s.counterText());
    const FittedLabel& label = panel->cdisp();
    const QRectF drawn = label.textRect();
    EXPECT_TRUE(QRectF(label.contentsRect()).adjusted(-0.01, 0, 0.01, 0).contains(drawn))
        << label.text().toStdString();
    if (pos < 10000) {
      EXPECT_EQ(label.widthScale(), 1.0);
    }
  }
  EXPECT_EQ(panel->counter(), "1000000 / 1000000");
}

TEST_F(TimeDisplay, TickWhileNothingPlaysOnlyClearsTheLabels) {
  makeList(3, 2);
  panel->setTime(QStringLiteral("1:00 / 2:00"));
  v.barTime = QStringLiteral("1:00 / 2:00");
  d.engineState = 0;
  panel->clockTick();
  EXPECT_EQ(panel->time(), QString());
  EXPECT_EQ(v.barTime, QString());
  EXPECT_TRUE(d.calls.empty());
}

TEST_F(TimeDisplay, WhileTheBarIsShownTheBarsStripIsDrawnInstead) {
  makeList(3, 2);
  s.playState = 1;
  s.dispMode = DisplayMode::Bar;
  d.engineState = 1;
  d.position = 120;
  v.timeBarArea.setForeColor(QColor(255, 0, 0));
  const QImage before = panel->mPanel().image();
  panel->clockTick();
  EXPECT_EQ(panel->mPanel().image(), before);
  EXPECT_EQ(v.timeBarArea.image().pixelColor(10, 2), QColor(255, 0, 0));
  EXPECT_NE(v.timeBarArea.image().pixelColor(60, 2), QColor(255, 0, 0));
  EXPECT_EQ(panel->time(), "2:00 / 4:00");
}

TEST_F(TimeDisplay, LastEntryWithoutLoopGoesIdle) {
  makeList(3, 3);
  s.playState = 1;
  s.verNo = QStringLiteral("1.14");
  d.engineState = 0;
  panel->clockTick();
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(s.listPos, 3);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(panel->time(), QString());
  ASSERT_FALSE(panel->mPanel().prints().isEmpty());
  EXPECT_EQ(panel->mPanel().prints().last().text, QStringLiteral("Ver.1.14"));
  EXPECT_EQ(panel->startTimerInterval(), 0);
}

// The progress bar stays cleared through the wait: the finished track is not drawn again full.
TEST_F(TimeDisplay, LastEntryWithLoopStartsEntryOneAfterTheDelay) {
  makeList(3, 3);
  s.playState = 1;
  s.loopMode = 1;
  d.engineState = 0;
  d.position = 240;
  panel->clockTick();
  EXPECT_NE(panel->mPanel().image().pixelColor(40, 58), QColor(0, 168, 168));
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(panel->counter(), "0001 / 0003");
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(panel->startTimerInterval(), 2000);
  panel->startDelayTick();
  EXPECT_EQ(d.openPath, song(1).toStdString());
  EXPECT_EQ(s.playState, 1);
}

TEST_F(TimeDisplay, TheEnginesEndEventMovesOnWithoutWaitingForTheTick) {
  makeList(3, 3);
  s.playState = 1;
  s.loopMode = 1;
  d.engineState = 1;
  panel->setEndTimerEnabled(true);  // a second to its next tick
  d.endTrack();
  QCoreApplication::processEvents();
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.startPending, 1);
}

TEST_F(TimeDisplay, AMissingNextFileStopsTheAdvanceAfterItsMessage) {
  makeList(3, 1);
  s.playState = 1;
  d.engineState = 0;
  d.unopenable.insert(song(2).toStdString());
  panel->clockTick();
  panel->startDelayTick();
  EXPECT_EQ(messages.texts, QStringList{song(2) + "が開けません。"});
  EXPECT_EQ(s.listPos, 2);
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  panel->clockTick();
  EXPECT_EQ(s.listPos, 2);
}

TEST_F(TimeDisplay, ClickOnTheProgressBarSeeks) {
  makeList(3, 2);
  s.playState = 1;
  struct Case {
    double x, y;
    const char* expected;  // the seek call, or nothing
  };
  for (const Case& c :
       {Case{1350, 850, "seek 120"}, Case{2600, 850, "seek 240"}, Case{100, 800, "seek 0"},
        Case{1350, 950, "seek 120"}, Case{2601, 850, nullptr}, Case{1350, 799, nullptr},
        Case{99, 850, nullptr}, Case{1350, 951, nullptr}}) {
    d.clearCalls();
    panel->mPanelMouseDown(Qt::LeftButton, Qt::NoModifier, c.x, c.y);
    if (c.expected)
      EXPECT_EQ(d.calls, std::vector<std::string>{c.expected}) << c.x << "," << c.y;
    else
      EXPECT_TRUE(d.calls.empty()) << c.x << "," << c.y;
  }
}

TEST_F(TimeDisplay, NoSeekWhileNothingPlays) {
  makeList(3, 2);
  panel->mPanelMouseDown(Qt::LeftButton, Qt::NoModifier, 1350, 850);
  EXPECT_TRUE(d.calls.empty());
}

}  // namespace sorv::test
