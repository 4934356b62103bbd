#include <QApplication>
#include <QMouseEvent>

#include "tests/sound/SoundFixture.h"

namespace sorv::test {
namespace {

const QColor kSelectedFace(255, 128, 0);
const QColor kIdleFace(192, 64, 0);
const Gains kRock = {60, 40, 20, 0, -20, -20, 0, 20, 40, 60};

using EqualizerTest = SoundFixture;

// Whether any pixel of the row has the colour.
bool rowHas(const QImage& image, int row, const QColor& colour) {
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixelColor(x, row) == colour) return true;
  }
  return false;
}

TEST_F(EqualizerTest, ControlsStandAtThePanelPlaces) {
  EXPECT_EQ(eq.equ(0)->geometry(), QRect(34, 219, 7, 87));
  EXPECT_EQ(eq.equ(9)->geometry(), QRect(178, 219, 7, 87));
  EXPECT_EQ(eq.equPre(0)->geometry(), QRect(192, 216, 17, 13));
  EXPECT_EQ(eq.equPre(5)->geometry(), QRect(192, 296, 17, 13));
  EXPECT_EQ(eq.volumeSlider(0)->geometry(), QRect(224, 219, 9, 87));
  EXPECT_EQ(eq.volumeSlider(1)->geometry(), QRect(248, 219, 9, 87));
  EXPECT_EQ(eq.equPre(3)->text(), "BASS");
  EXPECT_EQ(eq.equ(10), nullptr);
  EXPECT_EQ(eq.volumeSlider(2), nullptr);
}

TEST_F(EqualizerTest, DragBeyondTheEdgesStopsAtPlusAndMinus120) {
  eq.equMouseMove(0, Qt::LeftButton, {}, 3, -57.5);
  EXPECT_EQ(s.equGain[0], 120);
  EXPECT_TRUE(rowHas(eq.equ(0)->area().image(), 0, eq.equ(0)->area().foreColor()));
  eq.equMouseMove(0, Qt::LeftButton, {}, 3, 999);
  EXPECT_EQ(s.equGain[0], -120);
  eq.equMouseMove(4, Qt::LeftButton, {}, 3, 139.9);  // whole part: 139
  EXPECT_EQ(s.equGain[4], -19);
  EXPECT_EQ(eq.equ(4)->toolTip(), "1KHz (-19)");
  EXPECT_TRUE(d.calls.empty()) << "a drag is heard only on release";
}

TEST_F(EqualizerTest, MoveWithoutTheLeftButtonChangesNothing) {
  eq.equMouseMove(2, Qt::RightButton, {}, 3, 0);
  eq.equMouseMove(2, Qt::NoButton, {}, 3, 0);
  EXPECT_EQ(s.equGain[2], 0);
}

TEST_F(EqualizerTest, ReleaseSendsGainsOrNullWhenAllAreZero) {
  eq.equMouseUp(0, Qt::LeftButton, {}, 3, 0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer 120 0 0 0 0 0 0 0 0 0", "reload"}));
  d.clearCalls();
  eq.equMouseUp(0, Qt::LeftButton, {}, 3, 120);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer null", "reload"}));
}

TEST_F(EqualizerTest, FlatSendsNullAndResetsEveryBand) {
  eq.equPreClick(1);
  d.clearCalls();
  eq.equPreClick(0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer null", "reload"}));
  EXPECT_EQ(s.equGain, Gains{});
  EXPECT_EQ(eq.equ(0)->toolTip(), "60Hz (0)");
  EXPECT_EQ(s.equPreNo, 0);
}

TEST_F(EqualizerTest, DragUnderRockKeepsRockAndLeavesTheUserPresetAlone) {
  s.equLevel = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  eq.equPreClick(1);
  EXPECT_EQ(s.equGain, kRock);
  EXPECT_EQ(eq.equPre(1)->faceColor(), kSelectedFace);
  EXPECT_EQ(eq.equPre(1)->textColor(), QColor(255, 255, 255));
  EXPECT_EQ(eq.equPre(5)->faceColor(), kIdleFace);
  EXPECT_EQ(eq.equPre(5)->textColor(), QColor(64, 64, 64));

  eq.equMouseMove(0, Qt::LeftButton, {}, 3, 20);
  eq.equMouseUp(0, Qt::LeftButton, {}, 3, 20);
  EXPECT_EQ(s.equGain[0], 100);
  EXPECT_EQ(d.gains[0], 100);
  EXPECT_EQ(s.equPreNo, 1);
  EXPECT_EQ(eq.equPre(1)->faceColor(), kSelectedFace);
  EXPECT_EQ(s.equLevel, (Gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

  eq.equPreClick(5);
  EXPECT_EQ(s.equGain, (Gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(d.gains, s.equLevel);
  EXPECT_EQ(eq.equPre(1)->faceColor(), kIdleFace);
  EXPECT_EQ(eq.equPre(5)->faceColor(), kSelectedFace);
}

TEST_F(EqualizerTest, DragUnderUserEditsTheUserPreset) {
  eq.equPreClick(5);
  eq.equMouseMove(7, Qt::LeftButton, {}, 3, 60);
  EXPECT_EQ(s.equLevel[7], 60);
  eq.equMouseUp(7, Qt::LeftButton, {}, 3, 200);
  EXPECT_EQ(s.equLevel[7], -80);
  EXPECT_EQ(d.gains[7], -80);
}

TEST_F(EqualizerTest, DamagedUserPresetIsClampedBeforeItIsSent) {
  s.equLevel = {500, -500, 0, 0, 0, 0, 0, 0, 0, 0};
  eq.equPreClick(5);
  EXPECT_EQ(d.gains[0], 120);
  EXPECT_EQ(d.gains[1], -120);
  EXPECT_EQ(s.equLevel[0], 120);
  eq.equPreClick(9);  // no such preset: nothing happens
  EXPECT_EQ(s.equPreNo, 5);
}

TEST_F(EqualizerTest, VolumeRunsFrom100AtTheTopTo0AtTheBottom) {
  eq.volumeMouseUp(0, Qt::LeftButton, {}, 4, -10);
  EXPECT_EQ(s.volLevel[0], 100);
  EXPECT_EQ(d.calls.back(), "setVolume 100,80");
  eq.volumeMouseUp(1, Qt::LeftButton, {}, 4, 100);
  EXPECT_EQ(s.volLevel[1], 0);
  EXPECT_EQ(d.calls.back(), "setVolume 100,0");
  EXPECT_EQ(eq.volumeSlider(0)->toolTip(), "Left Volume(100)");
  EXPECT_EQ(eq.volumeSlider(1)->toolTip(), "Right Volume(0)");
}

TEST_F(EqualizerTest, RightButtonVolumeMoveWaitsForTheRelease) {
  eq.volumeMouseMove(1, Qt::RightButton, {}, 4, 10);
  EXPECT_EQ(s.volLevel[1], 80);
  eq.volumeMouseUp(1, Qt::RightButton, {}, 4, 10);
  EXPECT_EQ(s.volLevel[1], 90);
  EXPECT_EQ(d.volumeRight, 90);
}

TEST_F(EqualizerTest, VolumeBarGrowsFromTheBottom) {
  eq.setVolume(0, 50);  // level 50: the lower half is the bar
  const PictureArea& area = eq.volumeSlider(0)->area();
  const int h = area.image().height();
  EXPECT_TRUE(rowHas(area.image(), h - 1, area.foreColor()));
  EXPECT_TRUE(rowHas(area.image(), h / 2 + 2, area.foreColor()));
  EXPECT_FALSE(rowHas(area.image(), h / 2 - 3, area.foreColor()));
}

TEST_F(EqualizerTest, StartUpAppliesTheSavedPresetAndVolume) {
  s.equPreNo = 3;
  s.volLevel = {70, 30};
  eq.restoreSaved();
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer 60 80 40 20 0 0 0 0 0 0", "reload",
                                               "setVolume 70,30"}));
  EXPECT_EQ(eq.equPre(3)->faceColor(), kSelectedFace);
  EXPECT_EQ(eq.equ(1)->toolTip(), "170Hz (80)");
  EXPECT_EQ(eq.volumeSlider(1)->toolTip(), "Right Volume(30)");
}

// The real mouse path: press, drag and release on the widget itself.
TEST_F(EqualizerTest, MouseOnTheSliderWidgetDragsAndReleases) {
  PictureWidget* band = eq.equ(3);
  const QPointF top(3, 0), mid(3, 43.5);
  QMouseEvent press(QEvent::MouseButtonPress, top, band->mapToGlobal(top), Qt::LeftButton,
                    Qt::LeftButton, {});
  QMouseEvent move(QEvent::MouseMove, mid, band->mapToGlobal(mid), Qt::NoButton, Qt::LeftButton,
                   {});
  QMouseEvent release(QEvent::MouseButtonRelease, top, band->mapToGlobal(top), Qt::LeftButton,
                      Qt::NoButton, {});
  QApplication::sendEvent(band, &press);
  QApplication::sendEvent(band, &move);
  EXPECT_EQ(s.equGain[3], 0);
  QApplication::sendEvent(band, &release);
  EXPECT_EQ(s.equGain[3], 120);
  EXPECT_EQ(d.gains[3], 120);
}

TEST_F(EqualizerTest, ClickOnAPresetButtonSelectsIt) {
  PresetButton* pop = eq.equPre(2);
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, pop->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, at, pop->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, {});
  QApplication::sendEvent(pop, &press);
  QApplication::sendEvent(pop, &release);
  EXPECT_EQ(s.equPreNo, 2);
  EXPECT_EQ(d.gains[3], 60);
}

}  // namespace
}  // namespace sorv::test
