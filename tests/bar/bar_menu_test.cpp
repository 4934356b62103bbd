#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>

#include "tests/bar/BarFixture.h"

namespace sorv::test {
namespace {

QAction* Item(Bar& bar, const char* name) {
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
  bar.ShowBar();
  for (int16_t db : {-1, 1, 0}) {
    s.DbState = db;
    bar.Form_MouseDown(Qt::RightButton);
    EXPECT_TRUE(bar.popup().isVisible());
    EXPECT_EQ(Item(bar, "SelSong")->isEnabled(), db != 0) << "DbState " << db;
    bar.popup().hide();
  }
  bar.Form_MouseDown(Qt::LeftButton);
  EXPECT_FALSE(bar.popup().isVisible());
}

TEST_F(BarTest, ARightClickOnTheSongLineOpensTheMenuButNotOnTheTray) {
  bar.ShowBar();
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
  Item(bar, "loopPlay")->trigger();
  EXPECT_EQ(s.LoopMode, 1);
  EXPECT_TRUE(Item(bar, "loopPlay")->isChecked());
  EXPECT_EQ(v.loopShuffleCalls, 1);
  Item(bar, "loopPlay")->trigger();
  EXPECT_EQ(s.LoopMode, 0);
  EXPECT_FALSE(Item(bar, "loopPlay")->isChecked());
}

TEST_F(BarTest, ShuffleItemShufflesWithTheEndTimerPausedAndKeepsTheLastAndCurrentEntries) {
  MakeList(12, 5);
  const QVector<QString> before = s.ListFile;
  Item(bar, "shufflePlay")->trigger();
  EXPECT_EQ(s.ShuffleMode, 1);
  EXPECT_TRUE(Item(bar, "shufflePlay")->isChecked());
  EXPECT_EQ(v.endTimerDisables, 1);
  EXPECT_TRUE(v.endTimerEnabled);
  EXPECT_NE(s.ListFile, before);
  EXPECT_EQ(s.ListFile[5], before[5]);
  EXPECT_EQ(s.ListFile[12], before[12]);

  const QVector<QString> shuffled = s.ListFile;
  Item(bar, "shufflePlay")->trigger();
  EXPECT_EQ(s.ShuffleMode, 0);
  EXPECT_FALSE(Item(bar, "shufflePlay")->isChecked());
  EXPECT_EQ(s.ListFile, shuffled);  // switching off keeps the order
  EXPECT_EQ(v.loopShuffleCalls, 2);
}

TEST_F(BarTest, HideItemTogglesAutoHideAndLeavesTheBarWhereItIs) {
  s.BarHideOpt = 1;
  bar.ShowBar();
  bar.PlaceBar(1);
  Item(bar, "BarHide")->trigger();
  EXPECT_EQ(s.BarHideOpt, 0);
  EXPECT_FALSE(Item(bar, "BarHide")->isChecked());
  EXPECT_TRUE(bar.isVisible());
  EXPECT_EQ(bar.Top(), -430);
  Item(bar, "BarHide")->trigger();
  EXPECT_EQ(s.BarHideOpt, 1);
  EXPECT_TRUE(Item(bar, "BarHide")->isChecked());
  EXPECT_TRUE(bar.isVisible());
  EXPECT_EQ(bar.Top(), -430);
}

TEST_F(BarTest, OptionsThatChangeAutoHideUpdateItsMark) {
  bar.ShowBar();
  Item(bar, "opt")->trigger();  // not wired yet: nothing happens
  EXPECT_FALSE(Item(bar, "BarHide")->isChecked());
  bar.openOptions = [this] { s.BarHideOpt = 1; };
  Item(bar, "opt")->trigger();
  EXPECT_TRUE(Item(bar, "BarHide")->isChecked());
}

TEST_F(BarTest, WindowItemsCallWhatTheProgramWired) {
  QStringList opened;
  bar.openSelection = [&] { opened << "selection"; };
  bar.openAbout = [&] { opened << "about"; };
  bar.openLyrics = [&] { opened << "lyrics"; };
  const int16_t lyricShow = s.LyricShow;
  for (const char* name : {"SelSong", "about", "LyricDisp"}) Item(bar, name)->trigger();
  EXPECT_EQ(opened, (QStringList{"selection", "about", "lyrics"}));
  EXPECT_EQ(s.LyricShow, lyricShow);
}

TEST_F(BarTest, ExitStopsAPlayingEngineThenEndsTheProgram) {
  QStringList order;
  bar.exitProgram = [&] {
    order << (d.calls.empty() ? QString() : QString::fromStdString(d.calls.back()));
  };
  Item(bar, "endend")->trigger();
  EXPECT_FALSE(d.called("stop"));
  ASSERT_EQ(order.size(), 1);

  MakeList(2, 1);
  bar.btn_Click(3);
  Item(bar, "endend")->trigger();
  EXPECT_TRUE(d.called("stop"));
  EXPECT_EQ(order.back(), "close");
}

}  // namespace
}  // namespace sorv::test
