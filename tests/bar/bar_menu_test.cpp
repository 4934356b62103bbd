#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>

#include "tests/bar/BarFixture.h"
#include "tests/common/ListFiles.h"

namespace sorv::test {
namespace {

QAction* item(CompactBar& bar, const char* name) {
  return bar.findChild<QAction*>(name);
}

TEST_F(BarTest, TheMenuHasItsElevenItemsInOrder) {
  QStringList captions;
  for (QAction* item : bar.popup().actions()) {
    captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(captions,
            (QStringList{"設定", "選曲", "ループ再生", "曲順シャッフル", "歌詞ウインドウ表示", "-",
                         "バーを隠す", "-", "そるばねについて", "-", "終了"}));
  QStringList checkable;
  for (QAction* item : bar.popup().actions()) {
    if (item->isCheckable()) checkable << item->objectName();
  }
  EXPECT_EQ(checkable, (QStringList{"loopPlay", "shufflePlay", "BarHide"}));
}

TEST_F(BarTest, ARightClickEnablesSelectionUnlessTheDatabaseIsOff) {
  bar.showBar();
  s.useSongDb = 1;
  for (SongDbState db : {SongDbState::Failed, SongDbState::Open, SongDbState::Closed}) {
    s.dbState = db;
    bar.formMouseDown(Qt::RightButton);
    EXPECT_TRUE(bar.popup().isVisible());
    EXPECT_EQ(item(bar, "SelSong")->isEnabled(), db != SongDbState::Closed)
        << "DbState " << static_cast<int>(db);
    bar.popup().hide();
  }
  // The options may forbid the database however well it opened.
  s.useSongDb = 0;
  s.dbState = SongDbState::Open;
  bar.formMouseDown(Qt::RightButton);
  EXPECT_FALSE(item(bar, "SelSong")->isEnabled());
  bar.popup().hide();
  bar.formMouseDown(Qt::LeftButton);
  EXPECT_FALSE(bar.popup().isVisible());
}

TEST_F(BarTest, ARightClickOnTheSongLineOpensTheMenuButNotOnTheTray) {
  bar.showBar();
  auto press = [](QWidget* target) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(3, 3), target->mapToGlobal(QPointF(3, 3)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
  };
  press(bar.findChild<QWidget*>("cdisp"));
  EXPECT_FALSE(bar.popup().isVisible());
  press(bar.findChild<QWidget*>("Mpanel2"));
  EXPECT_TRUE(bar.popup().isVisible());
  bar.popup().hide();
}

TEST_F(BarTest, LoopItemTogglesLoopModeFromItsMark) {
  item(bar, "loopPlay")->trigger();
  EXPECT_EQ(s.loopMode, 1);
  EXPECT_TRUE(item(bar, "loopPlay")->isChecked());
  EXPECT_EQ(v.loopShuffleCalls, 1);
  item(bar, "loopPlay")->trigger();
  EXPECT_EQ(s.loopMode, 0);
  EXPECT_FALSE(item(bar, "loopPlay")->isChecked());
}

TEST_F(BarTest, ShuffleItemShufflesWithTheEndTimerPausedAndKeepsTheCurrentEntry) {
  makeList(12, 5);
  const QStringList before = listFiles(s);
  item(bar, "shufflePlay")->trigger();
  EXPECT_EQ(s.shuffleMode, 1);
  EXPECT_TRUE(item(bar, "shufflePlay")->isChecked());
  EXPECT_EQ(v.endTimerDisables, 1);
  EXPECT_TRUE(v.endTimerEnabled);
  EXPECT_NE(listFiles(s), before);
  EXPECT_EQ(s.entry(5).file, before[4]);

  const QStringList shuffled = listFiles(s);
  item(bar, "shufflePlay")->trigger();
  EXPECT_EQ(s.shuffleMode, 0);
  EXPECT_FALSE(item(bar, "shufflePlay")->isChecked());
  EXPECT_EQ(listFiles(s), shuffled);  // switching off keeps the order
  EXPECT_EQ(v.loopShuffleCalls, 2);
}

// Switching auto-hide off, from the menu or the options, brings a slid-up bar down for good;
// switching it on leaves the bar where it is.
TEST_F(BarTest, AutoHideOffPutsTheBarDownAndOnLeavesItWhereItIs) {
  s.barHideOpt = 1;
  bar.showBar();
  bar.placeBar(1);
  item(bar, "BarHide")->trigger();
  EXPECT_EQ(s.barHideOpt, 0);
  EXPECT_FALSE(item(bar, "BarHide")->isChecked());
  EXPECT_TRUE(bar.isVisible());
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(s.barHidden, 0);
  item(bar, "BarHide")->trigger();
  EXPECT_EQ(s.barHideOpt, 1);
  EXPECT_TRUE(item(bar, "BarHide")->isChecked());
  EXPECT_TRUE(bar.isVisible());
  EXPECT_EQ(bar.top(), 0);

  bar.placeBar(1);
  bar.openOptions = [this] { s.barHideOpt = 0; };
  item(bar, "opt")->trigger();
  EXPECT_FALSE(item(bar, "BarHide")->isChecked());
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(s.barHidden, 0);
}

TEST_F(BarTest, OptionsThatChangeAutoHideUpdateItsMark) {
  bar.showBar();
  item(bar, "opt")->trigger();  // not wired yet: nothing happens
  EXPECT_FALSE(item(bar, "BarHide")->isChecked());
  bar.openOptions = [this] { s.barHideOpt = 1; };
  item(bar, "opt")->trigger();
  EXPECT_TRUE(item(bar, "BarHide")->isChecked());
}

TEST_F(BarTest, WindowItemsCallWhatTheProgramWired) {
  QStringList opened;
  bar.openSelection = [&] { opened << "selection"; };
  bar.openAbout = [&] { opened << "about"; };
  bar.openLyrics = [&] { opened << "lyrics"; };
  const int16_t lyricShow = s.lyricShow;
  for (const char* name : {"SelSong", "about", "LyricDisp"}) item(bar, name)->trigger();
  EXPECT_EQ(opened, (QStringList{"selection", "about", "lyrics"}));
  EXPECT_EQ(s.lyricShow, lyricShow);
}

TEST_F(BarTest, ExitStopsAPlayingEngineThenEndsTheProgram) {
  QStringList order;
  bar.exitProgram = [&] {
    order << (d.calls.empty() ? QString() : QString::fromStdString(d.calls.back()));
  };
  item(bar, "endend")->trigger();
  EXPECT_FALSE(d.called("stop"));
  ASSERT_EQ(order.size(), 1);

  makeList(2, 1);
  bar.runCommand(3);
  item(bar, "endend")->trigger();
  EXPECT_TRUE(d.called("stop"));
  EXPECT_EQ(order.back(), "close");
}

}  // namespace
}  // namespace sorv::test
