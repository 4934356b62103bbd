#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "bar/DispMode.h"
#include "tests/bar/BarFixture.h"

namespace sorv::test {
namespace {

QWidget* Child(Bar& bar, const char* name) {
  return bar.findChild<QWidget*>(name);
}

bool Printed(const PictureArea& area, const QString& text) {
  for (const auto& print : area.prints()) {
    if (print.text.contains(text)) return true;
  }
  return false;
}

TEST_F(BarTest, AWorkAreaOfExactly12000TwipsGivesTheNarrowLayout) {
  bar.Layout(12000);
  EXPECT_TRUE(Child(bar, "Image1")->isHidden());
  EXPECT_EQ(bar.width(), 800);
  EXPECT_EQ(Child(bar, "Mpanel2")->geometry(), QRect(0, 0, 515, 27));  // 12000 - 4275 twips
  EXPECT_EQ(Child(bar, "BtnTray")->geometry(), QRect(511, 0, 285, 29));

  bar.Layout(12015);
  EXPECT_FALSE(Child(bar, "Image1")->isHidden());
  EXPECT_EQ(Child(bar, "Image1")->geometry(), QRect(0, 0, 133, 27));
  EXPECT_EQ(Child(bar, "Mpanel2")->geometry(), QRect(133, 0, 383, 27));
  EXPECT_EQ(Child(bar, "BtnTray")->x(), 512);
}

TEST_F(BarTest, ShowingTheBarSpansTheWorkAreaAndSetsMarksCounterAndSongLine) {
  MakeList(12, 3);
  s.BarHideOpt = 1;
  s.LoopMode = 1;
  s.ShuffleMode = 0;
  bar.Mpanel2().Print("old song");
  bar.TimeBar().FilledBox(0, 0, 500, 75, QColor(255, 0, 255));
  bar.ShowBar();
  EXPECT_TRUE(bar.isVisible());
  EXPECT_TRUE(bar.windowFlags() & Qt::WindowStaysOnTopHint);
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(bar.WorkAreaTwips(), work.width() * 15);
  EXPECT_EQ(bar.width(), work.width());
  EXPECT_EQ(bar.height(), 32);  // 475.2 twips
  EXPECT_EQ(Child(bar, "Image1")->isHidden(), work.width() * 15 <= 12000);
  EXPECT_TRUE(bar.findChild<QAction*>("BarHide")->isChecked());
  EXPECT_TRUE(bar.findChild<QAction*>("loopPlay")->isChecked());
  EXPECT_FALSE(bar.findChild<QAction*>("shufflePlay")->isChecked());
  EXPECT_EQ(bar.Counter(), "0003 / 0012");
  EXPECT_TRUE(bar.Mpanel2().prints().isEmpty());
  EXPECT_EQ(bar.TimeBar().image().pixelColor(3, 2), QColor(192, 0, 0));
}

TEST_F(BarTest, ShowingTheBarWhilePlayingDrawsTheSongLine) {
  MakeList(2, 1);
  s.PlayState = 1;
  s.SongTitle = QStringLiteral("星空のオープニング");
  s.SongArtist = QStringLiteral("歌手");
  bar.ShowBar();
  EXPECT_TRUE(Printed(bar.Mpanel2(), s.SongTitle));
}

TEST_F(BarTest, PlaceBarPutsTheBarUpOrDownWithoutAnimation) {
  bar.ShowBar();
  const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
  bar.PlaceBar(1);
  EXPECT_EQ(bar.Top(), -430);
  EXPECT_EQ(bar.pos(), origin + QPoint(0, -29));
  EXPECT_EQ(s.BarHidden, 1);
  EXPECT_FALSE(bar.AniTimer().isActive());
  bar.PlaceBar(0);
  EXPECT_EQ(bar.Top(), 0);
  EXPECT_EQ(bar.pos(), origin);
  EXPECT_EQ(s.BarHidden, 0);
}

TEST_F(BarTest, FirstWindowIsTheBarAloneWhenBarFirstOptIsSet) {
  QWidget panel;
  for (int16_t hide : {1, 0}) {
    s.BarFirstOpt = 1;
    s.BarHideOpt = hide;
    bar.hide();
    ShowFirstWindow(s, panel, bar);
    EXPECT_EQ(s.DispMode, 2);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(bar.Top(), hide ? -430 : 0);
    EXPECT_EQ(s.BarHidden, hide);
  }
  s.BarFirstOpt = 0;
  ShowFirstWindow(s, panel, bar);
  EXPECT_EQ(s.DispMode, 1);
  EXPECT_TRUE(panel.isVisible());
  EXPECT_FALSE(bar.isVisible());
}

class SlideTest : public BarTest {
 protected:
  SlideTest() {
    origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    s.BarHideOpt = 1;
    bar.ShowBar();
    bar.PlaceBar(0);
  }
  void PointerAt(int y) { QCursor::setPos(origin + QPoint(200, y)); }
  // Ticks until the slide ends; the number of ticks it took.
  int RunSlide() {
    int ticks = 0;
    while (bar.AniTimer().isActive() && ticks < 1000) {
      bar.AniTimer_Timer();
      ++ticks;
    }
    return ticks;
  }
  QPoint origin;
};

TEST_F(SlideTest, ThePointerLeavingSlidesTheBarUpAndTouchingTheTopBringsItDown) {
  PointerAt(33);  // still on the bar's rows
  bar.MCheck_Timer();
  EXPECT_FALSE(bar.AniTimer().isActive());
  PointerAt(34);
  bar.MCheck_Timer();
  ASSERT_TRUE(bar.AniTimer().isActive());
  const int up = RunSlide();
  EXPECT_EQ(bar.Top(), -430);
  EXPECT_EQ(s.BarHidden, 1);
  EXPECT_EQ(bar.y(), origin.y() - 29);
  // A few hundred milliseconds of 15 ms ticks, one more to finish.
  EXPECT_EQ(bar.AniTimer().interval(), 15);
  EXPECT_GE(up, 15);
  EXPECT_LE(up, 25);

  PointerAt(1);
  bar.MCheck_Timer();
  EXPECT_FALSE(bar.AniTimer().isActive());
  PointerAt(0);
  bar.MCheck_Timer();
  ASSERT_TRUE(bar.AniTimer().isActive());
  RunSlide();
  EXPECT_EQ(bar.Top(), 0);
  EXPECT_EQ(s.BarHidden, 0);
  EXPECT_EQ(bar.pos(), origin);
}

TEST_F(SlideTest, ThePointerWatchDoesNothingWhileThePanelShowsOrAutoHideIsOff) {
  PointerAt(300);
  s.DispMode = 1;
  bar.MCheck_Timer();
  EXPECT_FALSE(bar.AniTimer().isActive());
  s.DispMode = 2;
  s.BarHideOpt = 0;
  bar.MCheck_Timer();
  EXPECT_FALSE(bar.AniTimer().isActive());
  EXPECT_EQ(bar.Top(), 0);
  EXPECT_EQ(s.BarHidden, 0);
}

TEST_F(SlideTest, ATickMovesTheBarPartOfTheWayAndAPlacementEndsTheSlide) {
  PointerAt(300);
  bar.MCheck_Timer();
  bar.AniTimer_Timer();
  EXPECT_LT(bar.Top(), 0);
  EXPECT_GT(bar.Top(), -430);
  EXPECT_EQ(s.BarHidden, 0);
  EXPECT_TRUE(bar.AniTimer().isActive());
  bar.PlaceBar(0);
  EXPECT_FALSE(bar.AniTimer().isActive());
  EXPECT_EQ(bar.Top(), 0);
  EXPECT_EQ(s.BarHidden, 0);
}

TEST_F(SlideTest, AWorkAreaChangeLaysTheBarOutAgainAndKeepsItsHeight) {
  MakeList(2, 1);
  s.PlayState = 1;
  s.SongTitle = QStringLiteral("題名");
  bar.resize(bar.width(), 40);
  bar.DisplayChanged();
  EXPECT_EQ(bar.height(), 40);
  EXPECT_EQ(bar.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
  EXPECT_TRUE(Printed(bar.Mpanel2(), s.SongTitle));
}

}  // namespace
}  // namespace sorv::test
