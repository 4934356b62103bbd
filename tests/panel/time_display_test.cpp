// The one-second tick (time, progress, end of a track) and seeking on the progress bar.
#include "panel/window/TimeDisplay.h"
#include "tests/panel/PanelFixture.h"

namespace sorv::test {

using TimeDisplay = PanelFixture;

TEST(TimeLabel, MinutesWithoutLeadingZeroSecondsWithTwoDigits) {
  EXPECT_EQ(panel::TimeLabel(65, 300), "1:05 / 5:00");
  EXPECT_EQ(panel::TimeLabel(5, 300), "0:05 / 5:00");
  EXPECT_EQ(panel::TimeLabel(0, 0), "0:00 / 0:00");
  EXPECT_EQ(panel::TimeLabel(3725, 3725), "62:05 / 62:05");
}

TEST_F(TimeDisplay, TickShowsTimeAndCopiesLabelsToTheBar) {
  MakeList(3, 2);
  s.ListInfo[2].length = 300;
  s.PlayState = 1;
  d.state = 1;
  d.position = 65;
  panel->SetCounter(s.CounterText());
  panel->Timer2_Timer();
  EXPECT_EQ(panel->Time(), "1:05 / 5:00");
  EXPECT_EQ(v.barTime, "1:05 / 5:00");
  EXPECT_EQ(v.barCounter, "0002 / 0003");
  // The bar is filled up to 100 + 2500 * 65 / 300 = 641 twips: pixel 40 lit, pixel 46 not.
  const QImage& image = panel->MPanel().image();
  EXPECT_EQ(image.pixelColor(40, 58), QColor(0, 168, 168));
  EXPECT_NE(image.pixelColor(46, 58), QColor(0, 168, 168));
}

TEST_F(TimeDisplay, TickWhileNothingPlaysOnlyClearsTheLabels) {
  MakeList(3, 2);
  panel->SetTime(QStringLiteral("1:00 / 2:00"));
  v.barTime = QStringLiteral("1:00 / 2:00");
  d.state = 0;
  panel->Timer2_Timer();
  EXPECT_EQ(panel->Time(), QString());
  EXPECT_EQ(v.barTime, QString());
  EXPECT_TRUE(d.calls.empty());
}

TEST_F(TimeDisplay, WhileTheBarIsShownTheBarsStripIsDrawnInstead) {
  MakeList(3, 2);
  s.PlayState = 1;
  s.DispMode = 2;
  d.state = 1;
  d.position = 120;
  v.timeBar.setForeColor(QColor(255, 0, 0));
  const QImage before = panel->MPanel().image();
  panel->Timer2_Timer();
  EXPECT_EQ(panel->MPanel().image(), before);
  EXPECT_EQ(v.timeBar.image().pixelColor(10, 2), QColor(255, 0, 0));
  EXPECT_NE(v.timeBar.image().pixelColor(60, 2), QColor(255, 0, 0));
  EXPECT_EQ(panel->Time(), "2:00 / 4:00");
}

TEST_F(TimeDisplay, LastEntryWithoutLoopGoesIdle) {
  MakeList(3, 3);
  s.PlayState = 1;
  s.VerNo = QStringLiteral("1.14");
  d.state = 0;
  panel->Timer2_Timer();
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(s.ListPos, 3);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(panel->Time(), QString());
  ASSERT_FALSE(panel->MPanel().prints().isEmpty());
  EXPECT_EQ(panel->MPanel().prints().last().text, QStringLiteral("Ver.1.14"));
  EXPECT_EQ(panel->StartTimerInterval(), 0);
}

TEST_F(TimeDisplay, LastEntryWithLoopStartsEntryOneAfterTheDelay) {
  MakeList(3, 3);
  s.PlayState = 1;
  s.LoopMode = 1;
  d.state = 0;
  panel->Timer2_Timer();
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(panel->Counter(), "0001 / 0003");
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(panel->StartTimerInterval(), 2000);
  panel->Timer1_Timer();
  EXPECT_EQ(d.openPath, Song(1).toStdString());
  EXPECT_EQ(s.PlayState, 1);
}

TEST_F(TimeDisplay, AMissingNextFileStopsTheAdvanceAfterItsMessage) {
  MakeList(3, 1);
  s.PlayState = 1;
  d.state = 0;
  d.unopenable.insert(Song(2).toStdString());
  panel->Timer2_Timer();
  panel->Timer1_Timer();
  EXPECT_EQ(messages.texts, QStringList{Song(2) + "が開けません。"});
  EXPECT_EQ(s.ListPos, 2);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  panel->Timer2_Timer();
  EXPECT_EQ(s.ListPos, 2);
}

TEST_F(TimeDisplay, ClickOnTheProgressBarSeeks) {
  MakeList(3, 2);
  s.PlayState = 1;
  struct Case {
    double x, y;
    const char* expected;  // the seek call, or nothing
  };
  for (const Case& c :
       {Case{1350, 850, "seek 120"}, Case{2600, 850, "seek 240"}, Case{100, 800, "seek 0"},
        Case{1350, 950, "seek 120"}, Case{2601, 850, nullptr}, Case{1350, 799, nullptr},
        Case{99, 850, nullptr}, Case{1350, 951, nullptr}}) {
    d.clearCalls();
    panel->MPanel_MouseDown(Qt::LeftButton, Qt::NoModifier, c.x, c.y);
    if (c.expected)
      EXPECT_EQ(d.calls, std::vector<std::string>{c.expected}) << c.x << "," << c.y;
    else
      EXPECT_TRUE(d.calls.empty()) << c.x << "," << c.y;
  }
}

TEST_F(TimeDisplay, NoSeekWhileNothingPlays) {
  MakeList(3, 2);
  panel->MPanel_MouseDown(Qt::LeftButton, Qt::NoModifier, 1350, 850);
  EXPECT_TRUE(d.calls.empty());
}

}  // namespace sorv::test
