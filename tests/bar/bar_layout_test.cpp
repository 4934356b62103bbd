#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "bar/DispMode.h"
#include "core/FittedLabel.h"
#include "tests/bar/BarFixture.h"

namespace sorv::test {
namespace {

QWidget* child(CompactBar& bar, const char* name) {
  return bar.findChild<QWidget*>(name);
}

bool printed(const PictureArea& area, const QString& text) {
  for (const auto& print : area.prints()) {
    if (print.text.contains(text)) return true;
  }
  return false;
}

TEST_F(BarTest, AWorkAreaOfExactly12000TwipsGivesTheNarrowLayout) {
  bar.layout(12000);
  EXPECT_TRUE(child(bar, "Image1")->isHidden());
  EXPECT_EQ(bar.width(), 800);
  EXPECT_EQ(child(bar, "Mpanel2")->geometry(), QRect(0, 0, 515, 27));  // 12000 - 4275 twips
  EXPECT_EQ(child(bar, "BtnTray")->geometry(), QRect(511, 0, 285, 29));

  bar.layout(12015);
  EXPECT_FALSE(child(bar, "Image1")->isHidden());
  EXPECT_EQ(child(bar, "Image1")->geometry(), QRect(0, 0, 133, 27));
  EXPECT_EQ(child(bar, "Mpanel2")->geometry(), QRect(133, 0, 383, 27));
  EXPECT_EQ(child(bar, "BtnTray")->x(), 512);
}

TEST_F(BarTest, ShowingTheBarSpansTheWorkAreaAndSetsMarksCounterAndSongLine) {
  makeList(12, 3);
  s.barHideOpt = 1;
  s.loopMode = 1;
  s.shuffleMode = 0;
  bar.mpanel2().print("old song");
  bar.timeBar().filledBox(0, 0, 500, 75, QColor(255, 0, 255));
  bar.showBar();
  EXPECT_TRUE(bar.isVisible());
  EXPECT_TRUE(bar.windowFlags() & Qt::WindowStaysOnTopHint);
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(bar.workAreaTwips(), work.width() * 15);
  EXPECT_EQ(bar.width(), work.width());
  EXPECT_EQ(bar.height(), 32);  // 475.2 twips
  EXPECT_EQ(child(bar, "Image1")->isHidden(), work.width() * 15 <= 12000);
  EXPECT_TRUE(bar.findChild<QAction*>("BarHide")->isChecked());
  EXPECT_TRUE(bar.findChild<QAction*>("loopPlay")->isChecked());
  EXPECT_FALSE(bar.findChild<QAction*>("shufflePlay")->isChecked());
  EXPECT_EQ(bar.counter(), "0003 / 0012");
  EXPECT_TRUE(bar.mpanel2().prints().isEmpty());
  EXPECT_EQ(bar.timeBar().image().pixelColor(3, 2), QColor(192, 0, 0));
}

// The counter keeps its look at four digits and shows seven whole, narrower, within its field.
TEST_F(BarTest, CounterShowsUpToSevenDigitsWhole) {
  bar.showBar();
  const auto* label = bar.findChild<FittedLabel*>("cdisp");
  ASSERT_NE(label, nullptr);
  for (const auto& [pos, count] :
       {std::pair{3, 12}, std::pair{32768, 100000}, std::pair{1000000, 1000000}}) {
    s.listPos = pos;
    s.listCount = count;
    bar.setCounter(s.counterText());
    const QRectF drawn = label->textRect();
    EXPECT_TRUE(QRectF(label->contentsRect()).adjusted(-0.01, 0, 0.01, 0).contains(drawn))
        << label->text().toStdString();
    if (pos < 10000) {
      EXPECT_EQ(label->widthScale(), 1.0);
    }
  }
  EXPECT_EQ(bar.counter(), "1000000 / 1000000");
}

TEST_F(BarTest, ShowingTheBarWhilePlayingDrawsTheSongLine) {
  makeList(2, 1);
  s.playState = 1;
  s.songTitle = QStringLiteral("星空のオープニング");
  s.songArtist = QStringLiteral("歌手");
  bar.showBar();
  EXPECT_TRUE(printed(bar.mpanel2(), s.songTitle));
}

TEST_F(BarTest, PlaceBarPutsTheBarUpOrDownWithoutAnimation) {
  bar.showBar();
  const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
  bar.placeBar(1);
  EXPECT_EQ(bar.top(), -430);
  EXPECT_EQ(bar.pos(), origin + QPoint(0, -29));
  EXPECT_EQ(s.barHidden, 1);
  EXPECT_FALSE(bar.slideTimer().isActive());
  // The three rows left on screen show a light edge across the whole width, so the bar can be
  // found on a dark desktop.
  const QImage sliver = bar.grab(QRect(0, 29, bar.width(), 3)).toImage();
  for (int x = 0; x < sliver.width(); ++x) {
    int lightest = 0;
    for (int y = 0; y < sliver.height(); ++y)
      lightest = std::max(lightest, sliver.pixelColor(x, y).lightness());
    ASSERT_GE(lightest, 150) << "column " << x;
  }
  bar.placeBar(0);
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(bar.pos(), origin);
  EXPECT_EQ(s.barHidden, 0);
}

TEST_F(BarTest, FirstWindowIsTheBarAloneWhenBarFirstOptIsSet) {
  QWidget panel;
  for (int16_t hide : {1, 0}) {
    s.barFirstOpt = 1;
    s.barHideOpt = hide;
    bar.hide();
    showFirstWindow(s, panel, bar);
    EXPECT_EQ(s.dispMode, DisplayMode::Bar);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(bar.top(), hide ? -430 : 0);
    EXPECT_EQ(s.barHidden, hide);
  }
  s.barFirstOpt = 0;
  showFirstWindow(s, panel, bar);
  EXPECT_EQ(s.dispMode, DisplayMode::Panel);
  EXPECT_TRUE(panel.isVisible());
  EXPECT_FALSE(bar.isVisible());
}

class SlideTest : public BarTest {
 protected:
  SlideTest() {
    origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    s.barHideOpt = 1;
    bar.showBar();
    bar.placeBar(0);
  }
  void pointerAt(int y) { QCursor::setPos(origin + QPoint(200, y)); }
  // Ticks until the slide ends; the number of ticks it took.
  int runSlide() {
    int ticks = 0;
    while (bar.slideTimer().isActive() && ticks < 1000) {
      bar.slideTick();
      ++ticks;
    }
    return ticks;
  }
  QPoint origin;
};

TEST_F(SlideTest, ThePointerLeavingSlidesTheBarUpAndTouchingTheTopBringsItDown) {
  pointerAt(33);  // still on the bar's rows
  bar.pointerCheckTick();
  EXPECT_FALSE(bar.slideTimer().isActive());
  pointerAt(34);
  bar.pointerCheckTick();
  ASSERT_TRUE(bar.slideTimer().isActive());
  const int up = runSlide();
  EXPECT_EQ(bar.top(), -430);
  EXPECT_EQ(s.barHidden, 1);
  EXPECT_EQ(bar.y(), origin.y() - 29);
  // A few hundred milliseconds of 15 ms ticks, one more to finish.
  EXPECT_EQ(bar.slideTimer().interval(), 15);
  EXPECT_GE(up, 15);
  EXPECT_LE(up, 25);

  pointerAt(1);
  bar.pointerCheckTick();
  EXPECT_FALSE(bar.slideTimer().isActive());
  pointerAt(0);
  bar.pointerCheckTick();
  ASSERT_TRUE(bar.slideTimer().isActive());
  runSlide();
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(s.barHidden, 0);
  EXPECT_EQ(bar.pos(), origin);
}

TEST_F(SlideTest, ThePointerWatchDoesNothingWhileThePanelShowsOrAutoHideIsOff) {
  pointerAt(300);
  s.dispMode = DisplayMode::Panel;
  bar.pointerCheckTick();
  EXPECT_FALSE(bar.slideTimer().isActive());
  s.dispMode = DisplayMode::Bar;
  s.barHideOpt = 0;
  bar.pointerCheckTick();
  EXPECT_FALSE(bar.slideTimer().isActive());
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(s.barHidden, 0);
}

TEST_F(SlideTest, ATickMovesTheBarPartOfTheWayAndAPlacementEndsTheSlide) {
  pointerAt(300);
  bar.pointerCheckTick();
  bar.slideTick();
  EXPECT_LT(bar.top(), 0);
  EXPECT_GT(bar.top(), -430);
  EXPECT_EQ(s.barHidden, 0);
  EXPECT_TRUE(bar.slideTimer().isActive());
  bar.placeBar(0);
  EXPECT_FALSE(bar.slideTimer().isActive());
  EXPECT_EQ(bar.top(), 0);
  EXPECT_EQ(s.barHidden, 0);
}

TEST_F(SlideTest, AWorkAreaChangeLaysTheBarOutAgainAndKeepsItsHeight) {
  makeList(2, 1);
  s.playState = 1;
  s.songTitle = QStringLiteral("題名");
  bar.resize(bar.width(), 40);
  bar.displayChanged();
  EXPECT_EQ(bar.height(), 40);
  EXPECT_EQ(bar.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
  EXPECT_TRUE(printed(bar.mpanel2(), s.songTitle));
}

}  // namespace
}  // namespace sorv::test
