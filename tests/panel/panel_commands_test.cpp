// The main panel's hot spots and commands, driven through real mouse events on the skin and
// direct timer ticks.
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

#include "panel/window/PanelLayout.h"
#include "tests/panel/PanelFixture.h"

namespace sorv::test {

using namespace panel;

using PanelCommands = PanelFixture;

TEST_F(PanelCommands, NextThreeTimesMovesTheListAndStartsOnlyTheLastEntry) {
  makeList(10, 4);
  pressCommand(kNext);
  EXPECT_EQ(panel->counter(), "0005 / 0010");
  pressCommand(kNext);
  EXPECT_EQ(panel->counter(), "0006 / 0010");
  pressCommand(kNext);
  EXPECT_EQ(panel->counter(), "0007 / 0010");
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(panel->startTimerInterval(), 2000);
  EXPECT_FALSE(d.called("open " + song(5).toStdString()));
  EXPECT_FALSE(d.called("open " + song(6).toStdString()));

  panel->startDelayTick();
  EXPECT_EQ(d.openPath, song(7).toStdString());
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(panel->startTimerInterval(), 0);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.titleText);
}

TEST_F(PanelCommands, PauseDuringAPendingStartOnlyFlashes) {
  makeList(10, 4);
  pressCommand(kNext);
  d.clearCalls();
  pressCommand(kPause);
  EXPECT_FALSE(d.called("pause"));
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(panel->startTimerInterval(), 2000);
  EXPECT_TRUE(panel->highlightArmed());
  panel->startDelayTick();
  EXPECT_EQ(d.openPath, song(5).toStdString());
}

// The next entry still starts on time after the bar or a window opened from the panel.
TEST_F(PanelCommands, SwitchToTheBarOrAWindowKeepsThePendingStart) {
  makeList(10, 4);
  s.dbState = SongDbState::Open;
  s.useSongDb = 1;
  for (int command : {kToBar, kOptions, kSelection, kAbout}) {
    pressCommand(kNext);
    pressCommand(command);
    EXPECT_EQ(s.startPending, 1) << command;
    EXPECT_EQ(panel->startTimerInterval(), 2000) << command;
    panel->startDelayTick();
    EXPECT_EQ(d.openPath, song(s.listPos).toStdString()) << command;
    EXPECT_EQ(s.playState, 1) << command;
  }
  EXPECT_EQ(s.listPos, 8);
  EXPECT_EQ(s.dispMode, DisplayMode::Bar);
  EXPECT_EQ(v.showDispModeCalls, 1);
  EXPECT_EQ(v.opened, (QStringList{"options", "selection", "about"}));
}

TEST_F(PanelCommands, AnyOtherCommandCancelsThePendingStart) {
  makeList(10, 4);
  pressCommand(kNext);
  pressCommand(kLoop);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(panel->startTimerInterval(), 0);
  EXPECT_EQ(s.loopMode, 1);
}

TEST_F(PanelCommands, PlayStartsTheCurrentEntry) {
  makeList(3, 2);
  pressCommand(kPlay);
  EXPECT_EQ(d.openPath, song(2).toStdString());
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.titleText);
  EXPECT_EQ(panel->counter(), "0002 / 0003");
}

TEST_F(PanelCommands, SelectionIsIgnoredWhileTheDatabaseIsUnavailable) {
  makeList(3, 2);
  panel->setCounter(QStringLiteral("untouched"));
  for (auto [dbState, useSongDb] :
       {std::pair{SongDbState::Closed, 1}, std::pair{SongDbState::Open, 0}}) {
    s.dbState = dbState;
    s.useSongDb = static_cast<int16_t>(useSongDb);
    pressCommand(kSelection);
    EXPECT_TRUE(v.opened.isEmpty());
    EXPECT_EQ(panel->counter(), "untouched");
    EXPECT_TRUE(panel->flash().isVisibleTo(panel.get()));
    ASSERT_TRUE(panel->highlightArmed());  // the press lights SELECT, and it goes out again
    panel->highlightTick();
    EXPECT_FALSE(panel->flash().isVisibleTo(panel.get()));
  }
  s.dbState = SongDbState::Open;
  s.useSongDb = 1;
  pressCommand(kSelection);
  EXPECT_EQ(v.opened, QStringList{"selection"});
  EXPECT_EQ(panel->counter(), "0002 / 0003");
}

TEST_F(PanelCommands, CommandsOnAnEmptyListOnlyResetTheHighlight) {
  panel->setCounter(QStringLiteral("0000 / 0000"));
  for (int command : {kPlay, kStop, kPause, kPrevious, kNext}) {
    pressCommand(command);
    EXPECT_TRUE(panel->highlightArmed());
    panel->highlightTick();
  }
  EXPECT_TRUE(d.calls.empty());
  EXPECT_EQ(s.startPending, 0);
  // The bar and the windows still open.
  pressCommand(kToBar);
  pressCommand(kOptions);
  pressCommand(kAbout);
  EXPECT_EQ(v.showDispModeCalls, 1);
  EXPECT_EQ(v.opened, (QStringList{"options", "about"}));
}

TEST_F(PanelCommands, AHotSpotShowsItsHighlightUntilTheNextTick) {
  makeList(3, 1);
  pressCommand(kNext);
  const QWidget& flash = panel->flash();
  EXPECT_TRUE(flash.isVisibleTo(panel.get()));
  EXPECT_EQ(flash.geometry(), QRect(272, 48, 33, 25));
  EXPECT_EQ(flash.palette().color(QPalette::Window), QColor(0, 255, 255));
  EXPECT_TRUE(panel->highlightArmed());
  panel->highlightTick();
  EXPECT_FALSE(flash.isVisibleTo(panel.get()));
  EXPECT_FALSE(panel->highlightArmed());
}

TEST_F(PanelCommands, LoopAndShuffleLampsCarryTheirOwnCommands) {
  makeList(3, 1);
  pressCommand(kLoop);
  EXPECT_FALSE(panel->flash().isVisibleTo(panel.get()));
  EXPECT_EQ(s.loopMode, 1);
  EXPECT_TRUE(panel->btn(kLoopLamp).isVisibleTo(panel.get()));
  // The lamp now covers the hot spot; a press on it is command 22.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->btn(kLoopLamp), &press);
  EXPECT_EQ(s.loopMode, 0);
  EXPECT_FALSE(panel->btn(kLoopLamp).isVisibleTo(panel.get()));

  pressCommand(kShuffle);
  EXPECT_EQ(s.shuffleMode, 1);
  EXPECT_TRUE(panel->btn(kShuffleLamp).isVisibleTo(panel.get()));
  EXPECT_TRUE(panel->endTimerEnabled());
}

TEST_F(PanelCommands, CloseHotSpotEndsTheProgram) {
  pressCommand(kClose);
  EXPECT_EQ(v.opened, QStringList{"close"});
  EXPECT_EQ(panel->flash().geometry(), QRect(336, 8, 33, 17));
}

TEST_F(PanelCommands, LyricsPanelOpensTheLyricsWindowOnlyWhenThereAreLyrics) {
  panel->aPanelClick();
  EXPECT_TRUE(v.opened.isEmpty());
  s.hasLyrics = 1;
  panel->aPanelClick();
  EXPECT_EQ(s.lyricShow, 1);
  EXPECT_EQ(v.opened, QStringList{"lyrics"});
}

TEST_F(PanelCommands, SelectionMarkerFollowsTheDatabase) {
  v.setSelectionAvailable(false);
  EXPECT_TRUE(panel->selOff().isVisibleTo(panel.get()));
  v.setSelectionAvailable(true);
  EXPECT_FALSE(panel->selOff().isVisibleTo(panel.get()));
}

TEST_F(PanelCommands, DraggingTheSkinMovesTheWindow) {
  panel->move(100, 100);
  QCursor::setPos(150, 180);
  const QPointF logo(60, 82);  // skin only: no hot spot, no control above it
  QMouseEvent press(QEvent::MouseButtonPress, logo, QPointF(150, 180), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->titleBar(), &press);
  QCursor::setPos(170, 210);
  QMouseEvent move(QEvent::MouseMove, logo, QPointF(170, 210), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->titleBar(), &move);
  EXPECT_EQ(panel->pos(), QPoint(120, 130));
  // Without the button held nothing moves.
  QCursor::setPos(300, 300);
  QMouseEvent hover(QEvent::MouseMove, logo, QPointF(300, 300), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->titleBar(), &hover);
  EXPECT_EQ(panel->pos(), QPoint(120, 130));
}

}  // namespace sorv::test
