#include <QAbstractButton>

#include "tests/bar/BarFixture.h"

namespace sorv::test {
namespace {

enum { kPrevious, kNext, kStop, kPlay, kPause, kBackToPanel };

TEST_F(BarTest, WithAnEmptyListTheTransportButtonsDoNothingNotEvenTheCounter) {
  for (int16_t count : {0, 3}) {  // no entries, or entries but position 0
    if (count > 0) MakeList(count, 0);
    bar.SetCounter("counter untouched");
    for (int i : {kPrevious, kNext, kStop, kPlay}) bar.btn_Click(i);
    EXPECT_EQ(bar.Counter(), "counter untouched");
    EXPECT_EQ(s.ListPos, 0);
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.StartPending, 0);
    EXPECT_FALSE(bar.Timer1().isActive());
    EXPECT_TRUE(v.caption.isEmpty());
  }
}

TEST_F(BarTest, PauseWhileStoppedDoesNothing) {
  MakeList(3, 1);
  bar.SetCounter("counter untouched");
  bar.btn_Click(kPause);
  EXPECT_FALSE(d.called("pause"));
  EXPECT_EQ(bar.Counter(), "counter untouched");

  s.PlayState = 1;
  bar.btn_Click(kPause);
  EXPECT_TRUE(d.called("pause"));
  EXPECT_EQ(bar.Counter(), "0001 / 0003");
}

TEST_F(BarTest, PreviousAtTheFirstEntryStaysThereAndStillRestartsIt) {
  MakeList(5, 1);
  s.PlayState = 1;
  bar.SetTime("0:10 / 4:00");
  bar.btn_Click(kPrevious);
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_TRUE(bar.Timer1().isActive());
  EXPECT_EQ(bar.Timer1().interval(), 2000);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_TRUE(bar.Time().isEmpty());
  EXPECT_EQ(bar.Counter(), "0001 / 0005");
  // Nothing starts until the timer's tick, then entry 1 plays again.
  EXPECT_FALSE(d.called("open " + Path(1)));
  bar.Timer1_Timer();
  EXPECT_EQ(d.openPath, Path(1));
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_FALSE(bar.Timer1().isActive());
}

TEST_F(BarTest, NextAtTheLastEntryStaysThereAndARowOfPressesStartsOnlyTheLastOne) {
  MakeList(10, 4);
  for (int i = 0; i < 3; ++i) bar.btn_Click(kNext);
  EXPECT_EQ(s.ListPos, 7);
  EXPECT_EQ(bar.Counter(), "0007 / 0010");
  bar.Timer1_Timer();
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(d.openPath, Path(7));

  s.ListPos = 10;
  bar.btn_Click(kNext);
  EXPECT_EQ(s.ListPos, 10);
  EXPECT_EQ(s.StartPending, 1);
}

TEST_F(BarTest, AFailedDelayedStartLeavesTheBarStoppedAndDisarmed) {
  MakeList(3, 1);
  d.unopenable.insert(Path(2));
  bar.btn_Click(kNext);
  bar.Timer1_Timer();
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_FALSE(bar.Timer1().isActive());
  EXPECT_FALSE(messages.texts.isEmpty());
}

TEST_F(BarTest, PlayStartsTheEntryAndDrawsThePanel) {
  MakeList(3, 2);
  bar.btn_Click(kPlay);
  EXPECT_EQ(d.openPath, Path(2));
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(v.caption, QStringLiteral("♪") + s.TitleText);
  EXPECT_FALSE(s.TitleText.isEmpty());
  EXPECT_FALSE(v.mPanel.prints().isEmpty());
  EXPECT_EQ(bar.Counter(), "0002 / 0003");
}

TEST_F(BarTest, PlayWhilePausedResumesInsteadOfStartingAgain) {
  MakeList(3, 2);
  bar.btn_Click(kPlay);
  s.PlayState = 1;
  bar.btn_Click(kPause);
  d.clearCalls();
  bar.btn_Click(kPlay);
  EXPECT_TRUE(d.called("restart"));
  EXPECT_FALSE(d.called("open " + Path(2)));
  EXPECT_EQ(d.state, 1);
}

TEST_F(BarTest, StopResetsBothWindowsAndDropsAPendingChoice) {
  MakeList(3, 1);
  bar.btn_Click(kPlay);
  bar.btn_Click(kNext);
  ASSERT_EQ(s.StartPending, 1);
  bar.Mpanel2().Print("song line");
  v.time = "0:10 / 4:00";
  bar.btn_Click(kStop);
  EXPECT_TRUE(d.called("stop"));
  EXPECT_TRUE(d.called("close"));
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_FALSE(bar.Timer1().isActive());
  EXPECT_TRUE(bar.Mpanel2().prints().isEmpty());
  EXPECT_EQ(v.caption, QStringLiteral("そるばね Ver.1.14"));
  EXPECT_TRUE(v.time.isEmpty());
  ASSERT_FALSE(v.mPanel.prints().isEmpty());
  EXPECT_EQ(v.mPanel.prints().back().text, "Ver.1.14");
  EXPECT_TRUE(v.aPanel.prints().isEmpty());
  EXPECT_EQ(bar.Counter(), "0002 / 0003");
}

TEST_F(BarTest, PlayDropsAPendingChoiceSoItDoesNotRestartLater) {
  MakeList(3, 1);
  bar.btn_Click(kNext);
  bar.btn_Click(kPlay);
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(s.StartPending, 0);
  bar.Timer1_Timer();
  EXPECT_EQ(d.count("play"), 1);
}

// Records what the engine had been asked to open when the panel is brought back.
class OrderView : public FakeView {
 public:
  explicit OrderView(FakeDecoder& decoder) : decoder_(decoder) {}
  void ShowDispMode() override {
    FakeView::ShowDispMode();
    openAtShow = decoder_.openPath;
  }
  std::string openAtShow;

 private:
  FakeDecoder& decoder_;
};

TEST_F(BarTest, BackToThePanelStartsAPendingChoiceAtOnceBeforeThePanelShows) {
  MakeList(10, 4);
  OrderView view(d);
  Bar own(s, d, view);
  own.btn_Click(kNext);
  ASSERT_EQ(s.StartPending, 1);
  own.btn_Click(kBackToPanel);
  EXPECT_EQ(view.openAtShow, Path(5));
  EXPECT_EQ(view.showDispModeCalls, 1);
  EXPECT_EQ(s.DispMode, 1);
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_FALSE(own.Timer1().isActive());
  EXPECT_EQ(view.caption, QStringLiteral("♪") + s.TitleText);
}

TEST_F(BarTest, TheButtonsOnScreenRunTheirCommands) {
  MakeList(3, 1);
  auto* next = bar.findChild<QAbstractButton*>("btn1");
  ASSERT_NE(next, nullptr);
  next->click();
  EXPECT_EQ(s.ListPos, 2);
  EXPECT_EQ(s.StartPending, 1);
}

TEST_F(BarTest, SeekingGoesToTheWholeSecondUnderThePointer) {
  MakeList(3, 1, 240);
  bar.TimeBar_MouseDown(Qt::LeftButton, {}, 600, 30);
  EXPECT_FALSE(d.called("seek 120"));  // stopped: nothing happens

  s.PlayState = 1;
  PictureArea& strip = bar.TimeBar();
  bar.TimeBar_MouseDown(Qt::RightButton, {}, strip.scaleWidth() / 2, 30);
  bar.TimeBar_MouseDown(Qt::LeftButton, {}, 0, 30);
  bar.TimeBar_MouseDown(Qt::LeftButton, {}, 577.5 * 1.999, 30);
  const std::vector<std::string> seeks(d.calls.end() - 3, d.calls.end());
  EXPECT_EQ(seeks, (std::vector<std::string>{"seek 120", "seek 0", "seek 239"}));
  // The strip shows the played part up to the click.
  bar.TimeBar_MouseDown(Qt::LeftButton, {}, 600, 30);
  EXPECT_EQ(d.calls.back(), "seek 124");
  EXPECT_EQ(strip.image().pixelColor(39, 2), QColor(255, 0, 255));
  EXPECT_EQ(strip.image().pixelColor(41, 2), QColor(192, 0, 0));
  // An entry whose length is not known yet seeks to the start.
  s.ListInfo[1].length = 0;
  bar.TimeBar_MouseDown(Qt::LeftButton, {}, 900, 30);
  EXPECT_EQ(d.calls.back(), "seek 0");
}

}  // namespace
}  // namespace sorv::test
