#include "tests/panel/PanelFixture.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include "panel/window/PanelLayout.h"

namespace sorv::test {

namespace {

const panel::HotSpot* findSpot(int command) {
  for (const panel::HotSpot& spot : panel::kUpperHotSpots)
    if (spot.command == command) return &spot;
  for (const panel::HotSpot& spot : panel::kLowerHotSpots)
    if (spot.command == command) return &spot;
  return nullptr;
}

}  // namespace

void PanelFixture::pressCommand(int command) {
  const panel::HotSpot* spot = findSpot(command);
  ASSERT_NE(spot, nullptr);
  const QPointF pixels((spot->left + spot->right) / 2.0 / panel::kTwipsPerPixel,
                       (spot->top + spot->bottom) / 2.0 / panel::kTwipsPerPixel);
  QWidget& skin = panel->titleBar();
  QMouseEvent press(QEvent::MouseButtonPress, pixels, skin.mapToGlobal(pixels), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&skin, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, pixels, skin.mapToGlobal(pixels), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&skin, &release);
}

}  // namespace sorv::test
