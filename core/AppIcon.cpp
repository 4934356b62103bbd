#include "core/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace sorv {

namespace {

// Five spectrum bars along the bottom, lit green to red from the centre outwards.
void paintBars(QPainter& p) {
  struct BarSpec {
    double x, height;
    QColor colour;
  };
  const BarSpec bars[] = {{40, 40, QColor(60, 224, 90)},
                          {60, 60, QColor(60, 224, 90)},
                          {80, 80, QColor(216, 224, 60)},
                          {180, 50, QColor(60, 224, 90)},
                          {200, 70, QColor(224, 120, 60)}};
  for (const BarSpec& bar : bars)
    p.fillRect(QRectF(bar.x, 216 - bar.height, 14, bar.height), bar.colour);
}

// A beamed quaver in the middle.
void paintNote(QPainter& p) {
  QLinearGradient gradient(120, 40, 200, 200);
  gradient.setColorAt(0, QColor(127, 245, 240));
  gradient.setColorAt(1, QColor(58, 176, 232));
  QPainterPath stem;
  stem.addRect(136, 60, 14, 110);
  stem.addRect(186, 50, 14, 100);
  QPainterPath beam;
  beam.moveTo(136, 60);
  beam.lineTo(200, 48);
  beam.lineTo(200, 72);
  beam.lineTo(136, 84);
  beam.closeSubpath();
  QPainterPath heads;
  heads.addEllipse(QRectF(108, 152, 44, 32));
  heads.addEllipse(QRectF(158, 132, 44, 32));
  p.setPen(Qt::NoPen);
  p.setBrush(gradient);
  p.drawPath(stem.united(beam).united(heads));
}

}  // namespace

QImage paintAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  QLinearGradient background(0, 0, 0, 256);
  background.setColorAt(0, QColor(35, 48, 90));
  background.setColorAt(1, QColor(10, 15, 38));
  p.setBrush(background);
  p.setPen(QPen(QColor(100, 240, 240), 6));
  p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
  paintBars(p);
  paintNote(p);
  return image;
}

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addPixmap(QPixmap::fromImage(paintAppIcon(size)));
  return icon;
}

}  // namespace sorv
