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
bool RowHas(const QImage& image, int row, const QColor& colour) {
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixelColor(x, row) == colour) return true;
  }
  return false;
}

TEST_F(EqualizerTest, ControlsStandAtThePanelPlaces) {
  EXPECT_EQ(eq.Equ(0)->geometry(), QRect(34, 219, 7, 87));
  EXPECT_EQ(eq.Equ(9)->geometry(), QRect(178, 219, 7, 87));
  EXPECT_EQ(eq.EquPre(0)->geometry(), QRect(192, 216, 17, 13));
  EXPECT_EQ(eq.EquPre(5)->geometry(), QRect(192, 296, 17, 13));
  EXPECT_EQ(eq.Volume(0)->geometry(), QRect(224, 219, 9, 87));
  EXPECT_EQ(eq.Volume(1)->geometry(), QRect(248, 219, 9, 87));
  EXPECT_EQ(eq.EquPre(3)->text(), "BASS");
  EXPECT_EQ(eq.Equ(10), nullptr);
  EXPECT_EQ(eq.Volume(2), nullptr);
}

TEST_F(EqualizerTest, DragBeyondTheEdgesStopsAtPlusAndMinus120) {
  eq.Equ_MouseMove(0, Qt::LeftButton, {}, 3, -57.5);
  EXPECT_EQ(s.EquGain[0], 120);
  EXPECT_TRUE(RowHas(eq.Equ(0)->area().image(), 0, eq.Equ(0)->area().foreColor()));
  eq.Equ_MouseMove(0, Qt::LeftButton, {}, 3, 999);
  EXPECT_EQ(s.EquGain[0], -120);
  eq.Equ_MouseMove(4, Qt::LeftButton, {}, 3, 139.9);  // whole part: 139
  EXPECT_EQ(s.EquGain[4], -19);
  EXPECT_EQ(eq.Equ(4)->toolTip(), "1KHz (-19)");
  EXPECT_TRUE(d.calls.empty()) << "a drag is heard only on release";
}

TEST_F(EqualizerTest, MoveWithoutTheLeftButtonChangesNothing) {
  eq.Equ_MouseMove(2, Qt::RightButton, {}, 3, 0);
  eq.Equ_MouseMove(2, Qt::NoButton, {}, 3, 0);
  EXPECT_EQ(s.EquGain[2], 0);
}

TEST_F(EqualizerTest, ReleaseSendsGainsOrNullWhenAllAreZero) {
  eq.Equ_MouseUp(0, Qt::LeftButton, {}, 3, 0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer 120 0 0 0 0 0 0 0 0 0", "reload"}));
  d.clearCalls();
  eq.Equ_MouseUp(0, Qt::LeftButton, {}, 3, 120);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer null", "reload"}));
}

TEST_F(EqualizerTest, FlatSendsNullAndResetsEveryBand) {
  eq.EquPre_Click(1);
  d.clearCalls();
  eq.EquPre_Click(0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer null", "reload"}));
  EXPECT_EQ(s.EquGain, Gains{});
  EXPECT_EQ(eq.Equ(0)->toolTip(), "60Hz (0)");
  EXPECT_EQ(s.EquPreNo, 0);
}

TEST_F(EqualizerTest, DragUnderRockKeepsRockAndLeavesTheUserPresetAlone) {
  s.EquLevel = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  eq.EquPre_Click(1);
  EXPECT_EQ(s.EquGain, kRock);
  EXPECT_EQ(eq.EquPre(1)->faceColor(), kSelectedFace);
  EXPECT_EQ(eq.EquPre(1)->textColor(), QColor(255, 255, 255));
  EXPECT_EQ(eq.EquPre(5)->faceColor(), kIdleFace);
  EXPECT_EQ(eq.EquPre(5)->textColor(), QColor(64, 64, 64));

  eq.Equ_MouseMove(0, Qt::LeftButton, {}, 3, 20);
  eq.Equ_MouseUp(0, Qt::LeftButton, {}, 3, 20);
  EXPECT_EQ(s.EquGain[0], 100);
  EXPECT_EQ(d.gains[0], 100);
  EXPECT_EQ(s.EquPreNo, 1);
  EXPECT_EQ(eq.EquPre(1)->faceColor(), kSelectedFace);
  EXPECT_EQ(s.EquLevel, (Gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

  eq.EquPre_Click(5);
  EXPECT_EQ(s.EquGain, (Gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(d.gains, s.EquLevel);
  EXPECT_EQ(eq.EquPre(1)->faceColor(), kIdleFace);
  EXPECT_EQ(eq.EquPre(5)->faceColor(), kSelectedFace);
}

TEST_F(EqualizerTest, DragUnderUserEditsTheUserPreset) {
  eq.EquPre_Click(5);
  eq.Equ_MouseMove(7, Qt::LeftButton, {}, 3, 60);
  EXPECT_EQ(s.EquLevel[7], 60);
  eq.Equ_MouseUp(7, Qt::LeftButton, {}, 3, 200);
  EXPECT_EQ(s.EquLevel[7], -80);
  EXPECT_EQ(d.gains[7], -80);
}

TEST_F(EqualizerTest, DamagedUserPresetIsClampedBeforeItIsSent) {
  s.EquLevel = {500, -500, 0, 0, 0, 0, 0, 0, 0, 0};
  eq.EquPre_Click(5);
  EXPECT_EQ(d.gains[0], 120);
  EXPECT_EQ(d.gains[1], -120);
  EXPECT_EQ(s.EquLevel[0], 120);
  eq.EquPre_Click(9);  // no such preset: nothing happens
  EXPECT_EQ(s.EquPreNo, 5);
}

TEST_F(EqualizerTest, VolumeRunsFrom100AtTheTopTo0AtTheBottom) {
  eq.Volume_MouseUp(0, Qt::LeftButton, {}, 4, -10);
  EXPECT_EQ(s.VolLevel[0], 100);
  EXPECT_EQ(d.calls.back(), "setVolume 100,80");
  eq.Volume_MouseUp(1, Qt::LeftButton, {}, 4, 100);
  EXPECT_EQ(s.VolLevel[1], 0);
  EXPECT_EQ(d.calls.back(), "setVolume 100,0");
  EXPECT_EQ(eq.Volume(0)->toolTip(), "Left Volume(100)");
  EXPECT_EQ(eq.Volume(1)->toolTip(), "Right Volume(0)");
}

TEST_F(EqualizerTest, RightButtonVolumeMoveWaitsForTheRelease) {
  eq.Volume_MouseMove(1, Qt::RightButton, {}, 4, 10);
  EXPECT_EQ(s.VolLevel[1], 80);
  eq.Volume_MouseUp(1, Qt::RightButton, {}, 4, 10);
  EXPECT_EQ(s.VolLevel[1], 90);
  EXPECT_EQ(d.volumeRight, 90);
}

TEST_F(EqualizerTest, VolumeBarGrowsFromTheBottom) {
  eq.SetVolume(0, 50);  // level 50: the lower half is the bar
  const PictureArea& area = eq.Volume(0)->area();
  const int h = area.image().height();
  EXPECT_TRUE(RowHas(area.image(), h - 1, area.foreColor()));
  EXPECT_TRUE(RowHas(area.image(), h / 2 + 2, area.foreColor()));
  EXPECT_FALSE(RowHas(area.image(), h / 2 - 3, area.foreColor()));
}

TEST_F(EqualizerTest, StartUpAppliesTheSavedPresetAndVolume) {
  s.EquPreNo = 3;
  s.VolLevel = {70, 30};
  eq.StartUp();
  EXPECT_EQ(d.calls, (std::vector<std::string>{"setEqualizer 60 80 40 20 0 0 0 0 0 0", "reload",
                                               "setVolume 70,30"}));
  EXPECT_EQ(eq.EquPre(3)->faceColor(), kSelectedFace);
  EXPECT_EQ(eq.Equ(1)->toolTip(), "170Hz (80)");
  EXPECT_EQ(eq.Volume(1)->toolTip(), "Right Volume(30)");
}

// The real mouse path: press, drag and release on the widget itself.
TEST_F(EqualizerTest, MouseOnTheSliderWidgetDragsAndReleases) {
  PictureWidget* band = eq.Equ(3);
  const QPointF top(3, 0), mid(3, 43.5);
  QMouseEvent press(QEvent::MouseButtonPress, top, band->mapToGlobal(top), Qt::LeftButton,
                    Qt::LeftButton, {});
  QMouseEvent move(QEvent::MouseMove, mid, band->mapToGlobal(mid), Qt::NoButton, Qt::LeftButton,
                   {});
  QMouseEvent release(QEvent::MouseButtonRelease, top, band->mapToGlobal(top), Qt::LeftButton,
                      Qt::NoButton, {});
  QApplication::sendEvent(band, &press);
  QApplication::sendEvent(band, &move);
  EXPECT_EQ(s.EquGain[3], 0);
  QApplication::sendEvent(band, &release);
  EXPECT_EQ(s.EquGain[3], 120);
  EXPECT_EQ(d.gains[3], 120);
}

TEST_F(EqualizerTest, ClickOnAPresetButtonSelectsIt) {
  PresetButton* pop = eq.EquPre(2);
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, pop->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, at, pop->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, {});
  QApplication::sendEvent(pop, &press);
  QApplication::sendEvent(pop, &release);
  EXPECT_EQ(s.EquPreNo, 2);
  EXPECT_EQ(d.gains[3], 60);
}

}  // namespace
}  // namespace sorv::test
