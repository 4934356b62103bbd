#include "bar/BarPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/Fonts.h"

namespace sorv::bar {

namespace {

// A shape in a unit square, x to the right and y down.
using Points = std::initializer_list<QPointF>;

QPainterPath polygon(Points points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath rect(double x1, double y1, double x2, double y2) {
  QPainterPath path;
  path.addRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
  return path;
}

// |◀◀ drawn left to right; the next symbol is its mirror image.
QPainterPath skipBack() {
  QPainterPath path = rect(0.16, 0.24, 0.25, 0.76);
  path.addPath(polygon({{0.53, 0.24}, {0.53, 0.76}, {0.25, 0.5}}));
  path.addPath(polygon({{0.82, 0.24}, {0.82, 0.76}, {0.54, 0.5}}));
  return path;
}

QPainterPath panelWindow() {
  QPainterPath path = rect(0.16, 0.22, 0.84, 0.36);
  path.addPath(rect(0.16, 0.36, 0.22, 0.78));
  path.addPath(rect(0.78, 0.36, 0.84, 0.78));
  path.addPath(rect(0.16, 0.72, 0.84, 0.78));
  path.addPath(rect(0.32, 0.46, 0.68, 0.52));
  path.addPath(rect(0.32, 0.58, 0.58, 0.64));
  return path;
}

QPainterPath symbolPath(ButtonSymbol symbol) {
  switch (symbol) {
    case ButtonSymbol::Previous:
      return skipBack();
    case ButtonSymbol::Next:
      return QTransform(-1, 0, 0, 1, 1, 0).map(skipBack());
    case ButtonSymbol::Stop:
      return rect(0.28, 0.26, 0.72, 0.74);
    case ButtonSymbol::Play:
      return polygon({{0.3, 0.2}, {0.3, 0.8}, {0.8, 0.5}});
    case ButtonSymbol::Pause: {
      QPainterPath path = rect(0.28, 0.24, 0.44, 0.76);
      path.addPath(rect(0.56, 0.24, 0.72, 0.76));
      return path;
    }
    case ButtonSymbol::Panel:
      return panelWindow();
  }
  return {};
}

QColor symbolColour(ButtonSymbol symbol, bool hovered) {
  if (hovered) return Qt::white;
  return symbol == ButtonSymbol::Play ? QColor(140, 230, 150) : QColor(205, 212, 225);
}

void paintFace(QPainter& painter, const QRectF& face, bool down) {
  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  fill.setColorAt(0, down ? QColor(38, 38, 42) : QColor(86, 88, 96));
  fill.setColorAt(1, down ? QColor(70, 72, 78) : QColor(46, 47, 52));
  painter.setPen(QPen(QColor(18, 18, 20), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(face, 3, 3);
}

}  // namespace

BarButton::BarButton(ButtonSymbol symbol, QWidget* parent)
    : QAbstractButton(parent), symbol_(symbol) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void BarButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  paintFace(painter, face, isDown());
  // The symbol fills the middle of the face; a pressed button moves it by one pixel.
  const double side = std::min(face.width(), face.height()) * 0.72;
  const QPointF offset = isDown() ? QPointF(1, 1) : QPointF(0, 0);
  const QPointF origin = face.center() - QPointF(side / 2, side / 2) + offset;
  painter.translate(origin);
  painter.scale(side, side);
  painter.setPen(Qt::NoPen);
  painter.setBrush(symbolColour(symbol_, hovered_));
  painter.drawPath(symbolPath(symbol_));
}

void BarButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void BarButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

BarLogo::BarLogo(QWidget* parent) : QWidget(parent) {}

void BarLogo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area(rect());
  QLinearGradient back(area.topLeft(), area.topRight());
  back.setColorAt(0, QColor(0, 0, 128));
  back.setColorAt(1, QColor(40, 40, 40));
  painter.fillRect(area, back);

  // A quaver on the left.
  const double h = area.height();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 220, 90));
  painter.drawEllipse(QPointF(h * 0.32, h * 0.72), h * 0.15, h * 0.11);
  painter.drawRect(QRectF(h * 0.43, h * 0.16, h * 0.06, h * 0.57));
  painter.drawPath(polygon(
      {{h * 0.43, h * 0.16}, {h * 0.68, h * 0.34}, {h * 0.68, h * 0.46}, {h * 0.43, h * 0.28}}));

  QFont font(QString::fromUtf8(kGothic));
  font.setBold(true);
  font.setPixelSize(qMax(8, qRound(h * 0.62)));
  QPainterPath title;
  const QFontMetricsF metrics(font);
  const double baseline = (h + metrics.ascent() - metrics.descent()) / 2;
  title.addText(QPointF(h * 0.85, baseline), font, QStringLiteral("そるばね"));
  painter.setBrush(QColor(0, 0, 0, 160));
  painter.drawPath(title.translated(1.2, 1.2));
  QLinearGradient ink(0, 0, 0, h);
  ink.setColorAt(0, QColor(150, 255, 255));
  ink.setColorAt(1, QColor(255, 130, 230));
  painter.setBrush(ink);
  painter.drawPath(title);
}

}  // namespace sorv::bar
