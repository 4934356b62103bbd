#include "core/PictureWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace sorv {

PictureWidget::PictureWidget(QSize pixels, QWidget* parent) : QWidget(parent), area_(pixels, this) {
  resize(pixels);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&area_, &PictureArea::changed, this, qOverload<>(&QWidget::update));
  area_.setDevicePixelRatio(devicePixelRatioF());
}

bool PictureWidget::event(QEvent* event) {
  // A window moved to a screen of another scale, shown on one for the first time, or (from Qt
  // 6.6) its screen's scale changed.
  switch (event->type()) {
    case QEvent::ScreenChangeInternal:
    case QEvent::Show:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
      area_.setDevicePixelRatio(devicePixelRatioF());
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

// The image has the ratio set, so it is drawn at its logical size, device pixel for device pixel.
void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), area_.image());
}

void PictureWidget::resizeEvent(QResizeEvent* event) {
  if (event->size() != area_.pixelSize()) area_.setPixelSize(event->size());
  QWidget::resizeEvent(event);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF p = area_.fromPixels(event->position());
  emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = area_.fromPixels(event->position());
  emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = area_.fromPixels(event->position());
  emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

}  // namespace sorv
