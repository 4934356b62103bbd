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
  MakeList(10, 4);
  Press(kNext);
  EXPECT_EQ(panel->Counter(), "0005 / 0010");
  Press(kNext);
  EXPECT_EQ(panel->Counter(), "0006 / 0010");
  Press(kNext);
  EXPECT_EQ(panel->Counter(), "0007 / 0010");
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(panel->StartTimerInterval(), 2000);
  EXPECT_FALSE(d.called("open " + Song(5).toStdString()));
  EXPECT_FALSE(d.called("open " + Song(6).toStdString()));

  panel->Timer1_Timer();
  EXPECT_EQ(d.openPath, Song(7).toStdString());
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(panel->StartTimerInterval(), 0);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.TitleText);
}

TEST_F(PanelCommands, PauseDuringAPendingStartOnlyFlashes) {
  MakeList(10, 4);
  Press(kNext);
  d.clearCalls();
  Press(kPause);
  EXPECT_FALSE(d.called("pause"));
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(panel->StartTimerInterval(), 2000);
  EXPECT_TRUE(panel->HighlightArmed());
  panel->Timer1_Timer();
  EXPECT_EQ(d.openPath, Song(5).toStdString());
}

TEST_F(PanelCommands, SwitchToTheBarKeepsThePendingStart) {
  MakeList(10, 4);
  Press(kNext);
  Press(kToBar);
  EXPECT_EQ(s.DispMode, 2);
  EXPECT_EQ(v.showDispModeCalls, 1);
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(panel->StartTimerInterval(), 2000);
}

TEST_F(PanelCommands, AnyOtherCommandCancelsThePendingStart) {
  MakeList(10, 4);
  Press(kNext);
  Press(kLoop);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(panel->StartTimerInterval(), 0);
  EXPECT_EQ(s.LoopMode, 1);
}

TEST_F(PanelCommands, PlayWhilePausedResumesWithoutReopening) {
  MakeList(3, 2);
  d.state = 2;
  Press(kPlay);
  EXPECT_TRUE(d.called("restart"));
  EXPECT_FALSE(d.called("open " + Song(2).toStdString()));
}

TEST_F(PanelCommands, PlayStartsTheCurrentEntry) {
  MakeList(3, 2);
  Press(kPlay);
  EXPECT_EQ(d.openPath, Song(2).toStdString());
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.TitleText);
  EXPECT_EQ(panel->Counter(), "0002 / 0003");
}

TEST_F(PanelCommands, AFailedPlayKeepsStateAndCaption) {
  MakeList(3, 2);
  d.unopenable.insert(Song(2).toStdString());
  panel->setWindowTitle(s.IdleCaption());
  Press(kPlay);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(panel->windowTitle(), s.IdleCaption());
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_EQ(messages.texts[0], Song(2) + "が開けません。");
}

TEST_F(PanelCommands, SelectionIsIgnoredWhileTheDatabaseIsUnavailable) {
  MakeList(3, 2);
  panel->SetCounter(QStringLiteral("untouched"));
  for (auto [dbState, useSongDb] : {std::pair{0, 1}, std::pair{1, 0}}) {
    s.DbState = static_cast<int16_t>(dbState);
    s.UseSongDb = static_cast<int16_t>(useSongDb);
    panel->btn_Click(kSelection);
    EXPECT_TRUE(v.opened.isEmpty());
    EXPECT_EQ(panel->Counter(), "untouched");
    EXPECT_FALSE(panel->HighlightArmed());
  }
  s.DbState = 1;
  s.UseSongDb = 1;
  Press(kSelection);
  EXPECT_EQ(v.opened, QStringList{"selection"});
  EXPECT_EQ(panel->Counter(), "0002 / 0003");
}

TEST_F(PanelCommands, StopWhileIdleStillResetsTheDisplay) {
  MakeList(3, 1);
  panel->setWindowTitle(QStringLiteral("♪old"));
  panel->SetTime(QStringLiteral("1:00 / 2:00"));
  panel->APanel().Print(QStringLiteral("old detail"));
  Press(kStop);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(panel->Time(), QString());
  EXPECT_TRUE(panel->APanel().prints().isEmpty());
  ASSERT_EQ(panel->MPanel().prints().size(), 1);
  EXPECT_EQ(panel->MPanel().prints()[0].text, QStringLiteral("Ver.1.14"));
  EXPECT_TRUE(d.called("stop"));
  EXPECT_TRUE(d.called("close"));
  EXPECT_EQ(s.PlayState, 0);
}

TEST_F(PanelCommands, CommandsOnAnEmptyListOnlyResetTheHighlight) {
  panel->SetCounter(QStringLiteral("0000 / 0000"));
  for (int command : {kPlay, kStop, kPause, kPrevious, kNext}) {
    Press(command);
    EXPECT_TRUE(panel->HighlightArmed());
    panel->Timer4_Timer();
  }
  EXPECT_TRUE(d.calls.empty());
  EXPECT_EQ(s.StartPending, 0);
  // The bar and the windows still open.
  Press(kToBar);
  Press(kOptions);
  Press(kAbout);
  EXPECT_EQ(v.showDispModeCalls, 1);
  EXPECT_EQ(v.opened, (QStringList{"options", "about"}));
}

TEST_F(PanelCommands, AHotSpotShowsItsHighlightUntilTheNextTick) {
  MakeList(3, 1);
  Press(kNext);
  const QWidget& flash = panel->Flash();
  EXPECT_TRUE(flash.isVisibleTo(panel.get()));
  EXPECT_EQ(flash.geometry(), QRect(272, 48, 33, 25));
  EXPECT_EQ(flash.palette().color(QPalette::Window), QColor(0, 255, 255));
  EXPECT_TRUE(panel->HighlightArmed());
  panel->Timer4_Timer();
  EXPECT_FALSE(flash.isVisibleTo(panel.get()));
  EXPECT_FALSE(panel->HighlightArmed());
}

TEST_F(PanelCommands, LoopAndShuffleLampsCarryTheirOwnCommands) {
  MakeList(3, 1);
  Press(kLoop);
  EXPECT_FALSE(panel->Flash().isVisibleTo(panel.get()));
  EXPECT_EQ(s.LoopMode, 1);
  EXPECT_TRUE(panel->btn(kLoopLamp).isVisibleTo(panel.get()));
  // The lamp now covers the hot spot; a press on it is command 22.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->btn(kLoopLamp), &press);
  EXPECT_EQ(s.LoopMode, 0);
  EXPECT_FALSE(panel->btn(kLoopLamp).isVisibleTo(panel.get()));

  Press(kShuffle);
  EXPECT_EQ(s.ShuffleMode, 1);
  EXPECT_TRUE(panel->btn(kShuffleLamp).isVisibleTo(panel.get()));
  EXPECT_TRUE(panel->EndTimerEnabled());
}

TEST_F(PanelCommands, CloseHotSpotEndsTheProgram) {
  Press(kClose);
  EXPECT_EQ(v.opened, QStringList{"close"});
  EXPECT_EQ(panel->Flash().geometry(), QRect(336, 8, 33, 17));
}

TEST_F(PanelCommands, LyricsPanelOpensTheLyricsWindowOnlyWhenThereAreLyrics) {
  panel->APanel_Click();
  EXPECT_TRUE(v.opened.isEmpty());
  s.HasLyrics = 1;
  panel->APanel_Click();
  EXPECT_EQ(s.LyricShow, 1);
  EXPECT_EQ(v.opened, QStringList{"lyrics"});
}

TEST_F(PanelCommands, SelectionMarkerFollowsTheDatabase) {
  v.SetSelectionAvailable(false);
  EXPECT_TRUE(panel->SELOFF().isVisibleTo(panel.get()));
  v.SetSelectionAvailable(true);
  EXPECT_FALSE(panel->SELOFF().isVisibleTo(panel.get()));
}

TEST_F(PanelCommands, DraggingTheSkinMovesTheWindow) {
  panel->move(100, 100);
  QCursor::setPos(150, 180);
  const QPointF logo(60, 82);  // skin only: no hot spot, no control above it
  QMouseEvent press(QEvent::MouseButtonPress, logo, QPointF(150, 180), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->ttlbar(), &press);
  QCursor::setPos(170, 210);
  QMouseEvent move(QEvent::MouseMove, logo, QPointF(170, 210), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->ttlbar(), &move);
  EXPECT_EQ(panel->pos(), QPoint(120, 130));
  // Without the button held nothing moves.
  QCursor::setPos(300, 300);
  QMouseEvent hover(QEvent::MouseMove, logo, QPointF(300, 300), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&panel->ttlbar(), &hover);
  EXPECT_EQ(panel->pos(), QPoint(120, 130));
}

}  // namespace sorv::test
