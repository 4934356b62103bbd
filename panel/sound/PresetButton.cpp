#include "panel/sound/PresetButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/Fonts.h"

namespace sorv {

namespace {

const QColor kIdleText(64, 64, 64);
const QColor kIdleFace(192, 64, 0);
const QColor kSelectedText(255, 255, 255);
const QColor kSelectedFace(255, 128, 0);
constexpr int kCaptionPixels = 7;

}  // namespace

PresetButton::PresetButton(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
  QFont captionFont(QString::fromUtf8(kArial));
  captionFont.setPixelSize(kCaptionPixels);
  setFont(captionFont);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSelected(false);
}

void PresetButton::setSelected(bool selected) {
  face_ = selected ? kSelectedFace : kIdleFace;
  text_ = selected ? kSelectedText : kIdleText;
  update();
}

// The face is painted here rather than through the palette, so a style sheet on the panel
// cannot hide which preset is selected. A caption wider than the button is squeezed to fit.
void PresetButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), face_);
  painter.setPen(text_);
  painter.setFont(font());
  const double room = width() - 2;
  const double wide = painter.fontMetrics().horizontalAdvance(caption_);
  const double squeeze = wide > room ? room / wide : 1.0;
  painter.translate(width() / 2.0, 0);
  painter.scale(squeeze, 1.0);
  painter.drawText(QRectF(-wide / 2 - 1, 0, wide + 2, height()), Qt::AlignCenter, caption_);
}

void PresetButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QWidget::mouseReleaseEvent(event);
}

}  // namespace sorv
