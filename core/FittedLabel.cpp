#include "core/FittedLabel.h"

#include <QPainter>
#include <QStyle>
#include <QtMath>

namespace sorv {

namespace {

double textWidth(const QLabel& label) {
  return label.fontMetrics().horizontalAdvance(label.text());
}

}  // namespace

double FittedLabel::widthScale() const {
  const double width = textWidth(*this);
  const double room = contentsRect().width();
  return width > room && width > 0 ? room / width : 1.0;
}

QRectF FittedLabel::textRect() const {
  const QRectF room = contentsRect();
  const QSizeF size(textWidth(*this) * widthScale(), fontMetrics().height());
  QRectF rect(QPointF(), size);
  rect.moveCenter(room.center());
  if (alignment() & Qt::AlignLeft) rect.moveLeft(room.left());
  if (alignment() & Qt::AlignRight) rect.moveRight(room.right());
  return rect;
}

void FittedLabel::paintEvent(QPaintEvent* event) {
  const double scale = widthScale();
  if (scale == 1.0) {
    QLabel::paintEvent(event);
    return;
  }
  // The text is laid out at its full width in a stretched frame, then squeezed into the label.
  QPainter painter(this);
  const QRect room = contentsRect();
  painter.translate(room.left(), 0);
  painter.scale(scale, 1.0);
  const QRect stretched(0, room.top(), qCeil(room.width() / scale), room.height());
  style()->drawItemText(&painter, stretched, static_cast<int>(alignment()), palette(), isEnabled(),
                        text(), foregroundRole());
}

}  // namespace sorv
