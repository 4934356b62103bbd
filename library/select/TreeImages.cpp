#include "library/select/TreeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <functional>

namespace sorv {

namespace {

constexpr int kSize = 16;

// A transparent, antialiased picture drawn by paint.
QPixmap draw(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  paint(p);
  p.end();
  return pixmap;
}

// A rounded badge with a short label: the song-type pictures.
QPixmap badge(const QColor& color, const QString& label) {
  return draw([&](QPainter& p) {
    p.setPen(color.darker(150));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0.5, 1.5, kSize - 1, kSize - 3), 3, 3);
    QFont font = p.font();
    font.setPixelSize(label.size() > 1 ? 8 : 11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 1, kSize, kSize - 2), Qt::AlignCenter, label);
  });
}

QPixmap folder() {
  return draw([&](QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6.5, 3.5);
    path.lineTo(8.5, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QColor(255, 235, 160));
    p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
  });
}

// A screen with a film strip: a work (programme).
QPixmap screen() {
  return draw([&](QPainter& p) {
    p.setPen(QColor(30, 60, 110));
    p.setBrush(QColor(90, 150, 220));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 2, 2);
    p.setBrush(QColor(220, 240, 255));
    p.drawRect(QRectF(3.5, 4.5, 9, 5));
    p.setPen(QPen(QColor(30, 60, 110), 1.5));
    p.drawLine(QPointF(8, 11.5), QPointF(8, 13.5));
    p.drawLine(QPointF(5, 14), QPointF(11, 14));
  });
}

// A microphone: the karaoke version.
QPixmap microphone() {
  return draw([&](QPainter& p) {
    p.setPen(QColor(120, 0, 90));
    p.setBrush(QColor(220, 60, 170));
    p.drawEllipse(QRectF(4.5, 0.5, 7, 7));
    p.setPen(QPen(QColor(120, 0, 90), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 14.5));
    p.setPen(QPen(QColor(255, 200, 240), 1));
    p.drawLine(QPointF(5.5, 4), QPointF(10.5, 4));
  });
}

std::array<QIcon, 9> makeImages() {
  std::array<QIcon, 9> images;
  images[1] = QIcon(badge(QColor(210, 50, 50), QStringLiteral("OP")));
  images[2] = QIcon(badge(QColor(40, 150, 70), QStringLiteral("TH")));
  images[3] = QIcon(badge(QColor(50, 90, 200), QStringLiteral("ED")));
  images[4] = QIcon(badge(QColor(230, 130, 20), QStringLiteral("IN")));
  images[5] = QIcon(badge(QColor(130, 100, 170), QStringLiteral("♪")));
  images[6] = QIcon(folder());
  images[7] = QIcon(screen());
  images[8] = QIcon(microphone());
  return images;
}

}  // namespace

const QIcon& treeImage(int index) {
  static const std::array<QIcon, 9> images = makeImages();
  static const QIcon none;
  return index >= 1 && index <= 8 ? images[index] : none;
}

}  // namespace sorv
