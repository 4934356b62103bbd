#include "core/PictureArea.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "core/Fonts.h"

namespace sorv {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// 96 dots per inch, so that point sizes come out as on the screens the layout was made for.
constexpr int kDotsPerMeter = 3780;

QImage makeImage(QSize pixels) {
  QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMeter);
  image.setDotsPerMeterY(kDotsPerMeter);
  return image;
}

}  // namespace

PictureArea::PictureArea(QSize pixels, QObject* parent)
    : QObject(parent),
      image_(makeImage(pixels)),
      scaleWidth_(pixels.width() * kTwipsPerPixel),
      scaleHeight_(pixels.height() * kTwipsPerPixel),
      fontName_(QString::fromUtf8(kGothic)) {
  image_.fill(backColor_);
}

void PictureArea::setPixelSize(QSize pixels) {
  const double unitsX = scaleWidth_ / image_.width();
  const double unitsY = scaleHeight_ / image_.height();
  image_ = makeImage(pixels);
  scaleWidth_ = unitsX * image_.width();
  scaleHeight_ = unitsY * image_.height();
  cls();
}

void PictureArea::setScale(double width, double height) {
  scaleWidth_ = width;
  scaleHeight_ = height;
}

void PictureArea::setPicture(const QImage& picture) {
  picture_ = picture;
}

QPointF PictureArea::toPixels(double x, double y) const {
  return {x * image_.width() / scaleWidth_, y * image_.height() / scaleHeight_};
}

QPointF PictureArea::fromPixels(QPointF pixels) const {
  return {pixels.x() * scaleWidth_ / image_.width(), pixels.y() * scaleHeight_ / image_.height()};
}

QFont PictureArea::currentFont() const {
  QFont font(fontName_);
  font.setPointSizeF(fontSize_ > 0 ? fontSize_ : 9);
  font.setBold(fontBold_);
  return font;
}

void PictureArea::cls() {
  image_.fill(backColor_);
  if (!picture_.isNull()) {
    QPainter painter(&image_);
    painter.drawImage(0, 0, picture_);
  }
  currentX_ = 0;
  currentY_ = 0;
  prints_.clear();
  emit changed();
}

double PictureArea::textHeight() const {
  QImage probe = makeImage(QSize(1, 1));
  QPainter painter(&probe);
  painter.setFont(currentFont());
  return painter.fontMetrics().height() * scaleHeight_ / image_.height();
}

void PictureArea::print(const QString& text) {
  const QFont font = currentFont();
  prints_.push_back({text, currentX_, currentY_, fontName_, fontSize_, fontBold_, foreColor_});
  double lineHeight = 0;
  {
    QPainter painter(&image_);
    painter.setFont(font);
    painter.setPen(foreColor_);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPointF at = toPixels(currentX_, currentY_);
    if (!text.isEmpty()) painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
    lineHeight = metrics.height() * scaleHeight_ / image_.height();
  }
  currentX_ = 0;
  currentY_ += lineHeight;
  emit changed();
}

void PictureArea::line(double x1, double y1, double x2, double y2, const QColor& color) {
  const QPointF a = toPixels(x1, y1);
  const QPointF b = toPixels(x2, y2);
  const int ax = static_cast<int>(std::floor(a.x())), ay = static_cast<int>(std::floor(a.y()));
  const int bx = static_cast<int>(std::floor(b.x())), by = static_cast<int>(std::floor(b.y()));
  if (ax == bx && ay == by) return;
  QPainter painter(&image_);
  painter.setPen(QPen(color, 0));
  // Draw to the end point, then put back the end pixel: the end is not part of the line.
  const QRgb keep = image_.valid(bx, by) ? image_.pixel(bx, by) : 0;
  painter.drawLine(ax, ay, bx, by);
  painter.end();
  if (image_.valid(bx, by)) image_.setPixel(bx, by, keep);
  emit changed();
}

void PictureArea::box(double x1, double y1, double x2, double y2, const QColor& color) {
  const QPointF a = toPixels(std::min(x1, x2), std::min(y1, y2));
  const QPointF b = toPixels(std::max(x1, x2), std::max(y1, y2));
  QPainter painter(&image_);
  painter.setPen(QPen(color, 0));
  painter.drawRect(QRect(QPoint(int(std::floor(a.x())), int(std::floor(a.y()))),
                         QPoint(int(std::floor(b.x())), int(std::floor(b.y())))));
  emit changed();
}

void PictureArea::filledBox(double x1, double y1, double x2, double y2, const QColor& color) {
  const QPointF a = toPixels(std::min(x1, x2), std::min(y1, y2));
  const QPointF b = toPixels(std::max(x1, x2), std::max(y1, y2));
  QPainter painter(&image_);
  painter.fillRect(QRect(QPoint(int(std::floor(a.x())), int(std::floor(a.y()))),
                         QPoint(int(std::floor(b.x())), int(std::floor(b.y())))),
                   color);
  emit changed();
}

void PictureArea::pSet(double x, double y, const QColor& color) {
  const QPointF p = toPixels(x, y);
  const int px = static_cast<int>(std::floor(p.x())), py = static_cast<int>(std::floor(p.y()));
  if (image_.valid(px, py)) image_.setPixel(px, py, color.rgb());
  emit changed();
}

}  // namespace sorv
