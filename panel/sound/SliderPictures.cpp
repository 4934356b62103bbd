#include "panel/sound/SliderPictures.h"

#include <QPainter>

namespace sorv {

namespace {

const QColor kSliderBack(18, 20, 30);
const QColor kGroove(52, 56, 74);
const QColor kGrooveLight(78, 84, 110);
const QColor kTick(70, 74, 96);
const QColor kKnobFrame(160, 160, 160);
const QColor kKnobLine(255, 170, 40);
const QColor kVolumeBar(60, 190, 255);

// A dark groove down the middle with tick marks at every tenth of the scale. Ticks and lines
// are one device pixel at every ratio.
void paintGroove(QPainter& painter, QSize size, int zeroRow) {
  const int mid = size.width() / 2;
  painter.setPen(QPen(kTick, 0));
  for (int t = 1; t < 10; ++t) {
    const int row = size.height() * t / 10;
    painter.drawPoint(0, row);
    painter.drawPoint(size.width() - 1, row);
  }
  painter.fillRect(QRect(mid - 1, 1, 2, size.height() - 2), kGroove);
  painter.setPen(QPen(kGrooveLight, 0));
  painter.drawLine(mid, 1, mid, size.height() - 2);
  if (zeroRow >= 0) painter.drawLine(0, zeroRow, size.width() - 1, zeroRow);
}

void prepareSlider(PictureArea& area, int scaleHeight, int zeroRow) {
  const QSize size = area.pixelSize();
  area.setScale(size.width(), scaleHeight);
  area.setBackColor(kSliderBack);
  area.setPicture([size, zeroRow](QPainter& painter) { paintGroove(painter, size, zeroRow); });
}

}  // namespace

void prepareBandSlider(PictureArea& area) {
  prepareSlider(area, kBandScale, area.pixelSize().height() / 2);
  area.setForeColor(kKnobLine);
  area.cls();
}

void drawBandKnob(PictureArea& area, int y) {
  area.cls();
  const double right = area.scaleWidth() + 10;
  area.box(0, y - 2.8, right, y + 3, kKnobFrame);
  area.line(0, y, right, y, area.foreColor());
}

void prepareVolumeSlider(PictureArea& area) {
  prepareSlider(area, kVolumeScale, -1);
  area.setForeColor(kVolumeBar);
  area.cls();
}

void drawVolumeBar(PictureArea& area, int y) {
  area.cls();
  area.filledBox(0, y, area.scaleWidth(), area.scaleHeight(), area.foreColor());
}

}  // namespace sorv
