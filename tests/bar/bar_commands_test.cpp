#include <QAbstractButton>

#include "tests/bar/BarFixture.h"

namespace sorv::test {
namespace {

using namespace bar;

TEST_F(BarTest, WithAnEmptyListTheTransportButtonsDoNothingNotEvenTheCounter) {
  for (int16_t count : {0, 3}) {  // no entries, or entries but position 0
    if (count > 0) makeList(count, 0);
    bar.setCounter("counter untouched");
    for (int i : {kPrevious, kNext, kStop, kPlay}) bar.runCommand(i);
    EXPECT_EQ(bar.counter(), "counter untouched");
    EXPECT_EQ(s.listPos, 0);
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.startPending, 0);
    EXPECT_EQ(v.startTimerInterval, 0);
    EXPECT_TRUE(v.caption.isEmpty());
  }
}

TEST_F(BarTest, PauseWhileStoppedDoesNothing) {
  makeList(3, 1);
  bar.setCounter("counter untouched");
  bar.runCommand(kPause);
  EXPECT_FALSE(d.called("pause"));
  EXPECT_EQ(bar.counter(), "counter untouched");

  bar.runCommand(kPlay);
  bar.runCommand(kPause);
  EXPECT_TRUE(d.called("pause"));
  EXPECT_EQ(bar.counter(), "0001 / 0003");
}

TEST_F(BarTest, PreviousAtTheFirstEntryStaysThereAndStillRestartsIt) {
  makeList(5, 1);
  bar.runCommand(kPlay);
  d.clearCalls();
  bar.setTime("0:10 / 4:00");
  bar.runCommand(kPrevious);
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(v.startTimerInterval, 2000);
  EXPECT_EQ(s.playState, 0);
  EXPECT_TRUE(v.barTime.isEmpty());
  EXPECT_EQ(bar.counter(), "0001 / 0005");
  // Nothing starts until the timer's tick, then entry 1 plays again.
  EXPECT_FALSE(d.called("open " + path(1)));
  player.startPendingEntry();
  EXPECT_EQ(d.openPath, path(1));
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
}

TEST_F(BarTest, PlayStartsTheEntryAndDrawsThePanel) {
  makeList(3, 2);
  bar.runCommand(kPlay);
  EXPECT_EQ(d.openPath, path(2));
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(v.caption, QStringLiteral("♪") + s.titleText);
  EXPECT_FALSE(s.titleText.isEmpty());
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());
  EXPECT_EQ(bar.counter(), "0002 / 0003");
}

// Records what the engine had been asked to open when the panel is brought back.
class OrderView : public FakeView {
 public:
  explicit OrderView(FakeEngine& decoder) : decoder_(decoder) {}
  void showDispMode() override {
    FakeView::showDispMode();
    openAtShow = decoder_.openPath;
  }
  std::string openAtShow;

 private:
  FakeEngine& decoder_;
};

TEST_F(BarTest, BackToThePanelStartsAPendingChoiceAtOnceBeforeThePanelShows) {
  makeList(10, 4);
  OrderView view(d);
  Player ownPlayer(s, d, view);
  CompactBar own(ownPlayer);
  own.runCommand(kNext);
  ASSERT_EQ(s.startPending, 1);
  own.runCommand(kBackToPanel);
  EXPECT_EQ(view.openAtShow, path(5));
  EXPECT_EQ(view.showDispModeCalls, 1);
  EXPECT_EQ(s.dispMode, DisplayMode::Panel);
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(view.startTimerInterval, 0);
  EXPECT_EQ(view.caption, QStringLiteral("♪") + s.titleText);
}

TEST_F(BarTest, TheButtonsOnScreenRunTheirCommands) {
  makeList(3, 1);
  auto* next = bar.findChild<QAbstractButton*>("btn1");
  ASSERT_NE(next, nullptr);
  next->click();
  EXPECT_EQ(s.listPos, 2);
  EXPECT_EQ(s.startPending, 1);
}

TEST_F(BarTest, SeekingGoesToTheWholeSecondUnderThePointer) {
  makeList(3, 1, 240);
  bar.timeBarMouseDown(Qt::LeftButton, {}, 600, 30);
  EXPECT_FALSE(d.called("seek 120"));  // stopped: nothing happens

  bar.runCommand(kPlay);
  PictureArea& strip = bar.timeBar();
  bar.timeBarMouseDown(Qt::RightButton, {}, strip.scaleWidth() / 2, 30);
  bar.timeBarMouseDown(Qt::LeftButton, {}, 0, 30);
  bar.timeBarMouseDown(Qt::LeftButton, {}, 577.5 * 1.999, 30);
  const std::vector<std::string> seeks(d.calls.end() - 3, d.calls.end());
  EXPECT_EQ(seeks, (std::vector<std::string>{"seek 120", "seek 0", "seek 239"}));
  // The strip shows the played part up to the click.
  bar.timeBarMouseDown(Qt::LeftButton, {}, 600, 30);
  EXPECT_EQ(d.calls.back(), "seek 124");
  EXPECT_EQ(strip.image().pixelColor(39, 2), QColor(255, 0, 255));
  EXPECT_EQ(strip.image().pixelColor(41, 2), QColor(192, 0, 0));
  // An entry whose length is not known yet seeks to the start.
  s.entry(1).stream->length = 0;
  bar.timeBarMouseDown(Qt::LeftButton, {}, 900, 30);
  EXPECT_EQ(d.calls.back(), "seek 0");
}

}  // namespace
}  // namespace sorv::test
