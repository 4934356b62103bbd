#include "core/PictureArea.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/Fonts.h"

namespace sorv {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// 96 dots per inch, so that point sizes come out as on the screens the layout was made for.
constexpr int kDotsPerMeter = 3780;

QImage makeImage(QSize pixels, qreal ratio, QImage::Format format = QImage::Format_RGB32) {
  const QSize logical = pixels.expandedTo(QSize(1, 1));
  QImage image(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio)),
               format);
  image.setDotsPerMeterX(kDotsPerMeter);
  image.setDotsPerMeterY(kDotsPerMeter);
  image.setDevicePixelRatio(ratio);
  return image;
}

QFont makeFont(const QString& name, double points, bool bold) {
  QFont font(name);
  font.setPointSizeF(points > 0 ? points : 9);
  font.setBold(bold);
  return font;
}

// Text is laid out on this, at ratio 1, so lines and positions are the same at every ratio.
const QImage& layoutDevice() {
  static const QImage probe = makeImage(QSize(1, 1), 1);
  return probe;
}

// The image's pixels as an image of ratio 1 sharing its memory, for drawing on device pixels.
QImage devicePixels(QImage& image) {
  return QImage(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
}

bool inside(const QRectF& inner, const QRectF& outer) {
  return inner.left() >= outer.left() && inner.right() <= outer.right() &&
         inner.top() >= outer.top() && inner.bottom() <= outer.bottom();
}

QRectF spanning(double x1, double y1, double x2, double y2) {
  return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                QPointF(std::max(x1, x2), std::max(y1, y2)));
}

// Like QRectF::intersected, but a line or a point keeps its place.
QRectF clamped(const QRectF& r, const QRectF& area) {
  const auto x = [&](double v) { return std::clamp(v, area.left(), area.right()); };
  const auto y = [&](double v) { return std::clamp(v, area.top(), area.bottom()); };
  return QRectF(QPointF(x(r.left()), y(r.top())), QPointF(x(r.right()), y(r.bottom())));
}

}  // namespace

PictureArea::PictureArea(QSize pixels, QObject* parent)
    : QObject(parent),
      size_(pixels.expandedTo(QSize(1, 1))),
      image_(makeImage(pixels, ratio_)),
      scaleWidth_(size_.width() * kTwipsPerPixel),
      scaleHeight_(size_.height() * kTwipsPerPixel),
      fontName_(QString::fromUtf8(kGothic)) {
  image_.fill(backColor_);
}

void PictureArea::setPixelSize(QSize pixels) {
  const double unitsX = scaleWidth_ / size_.width();
  const double unitsY = scaleHeight_ / size_.height();
  size_ = pixels.expandedTo(QSize(1, 1));
  image_ = makeImage(size_, ratio_);
  scaleWidth_ = unitsX * size_.width();
  scaleHeight_ = unitsY * size_.height();
  cls();
}

void PictureArea::setDevicePixelRatio(qreal ratio) {
  if (ratio <= 0 || ratio == ratio_) return;
  ratio_ = ratio;
  image_ = makeImage(size_, ratio_);
  paintBackground();
  for (const Shape& shape : shapes_) draw(shape);
  emit changed();
}

void PictureArea::setScale(double width, double height) {
  scaleWidth_ = width;
  scaleHeight_ = height;
}

void PictureArea::setPicture(Painting paint) {
  painting_ = std::move(paint);
  picture_ = QImage();
}

QPointF PictureArea::toPixels(double x, double y) const {
  return {x * size_.width() / scaleWidth_, y * size_.height() / scaleHeight_};
}

QPointF PictureArea::fromPixels(QPointF pixels) const {
  return {pixels.x() * scaleWidth_ / size_.width(), pixels.y() * scaleHeight_ / size_.height()};
}

QPoint PictureArea::toDevice(double x, double y) const {
  const QPointF p = toPixels(x, y) * ratio_;
  return {int(std::floor(p.x())), int(std::floor(p.y()))};
}

QFont PictureArea::currentFont() const {
  return makeFont(fontName_, fontSize_, fontBold_);
}

void PictureArea::paintBackground() {
  image_.fill(backColor_);
  if (!painting_) return;
  if (picture_.size() != image_.size() || picture_.devicePixelRatio() != ratio_) {
    picture_ = makeImage(size_, ratio_, QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    QPainter painter(&picture_);
    painting_(painter);
  }
  QPainter(&image_).drawImage(0, 0, picture_);
}

void PictureArea::cls() {
  paintBackground();
  currentX_ = 0;
  currentY_ = 0;
  prints_.clear();
  shapes_.clear();
  emit changed();
}

double PictureArea::textHeight() const {
  return QFontMetrics(currentFont(), &layoutDevice()).height() * scaleHeight_ / size_.height();
}

void PictureArea::print(const QString& text) {
  prints_.push_back({text, currentX_, currentY_, fontName_, fontSize_, fontBold_, foreColor_});
  const double lineHeight = textHeight();
  if (!text.isEmpty()) {
    // Text runs rightwards from the position, within its line; a pixel more all round for
    // glyphs drawn finer than their layout. Measuring the text itself would cost a shaping.
    const QPointF pixel = fromPixels(QPointF(1, 1));
    add({Shape::Text, currentX_, currentY_, currentX_, currentY_, foreColor_, prints_.size() - 1,
         spanning(currentX_ - 2 * pixel.x(), currentY_ - pixel.y(), scaleWidth_,
                  currentY_ + lineHeight + pixel.y())});
  }
  currentX_ = 0;
  currentY_ += lineHeight;
  emit changed();
}

void PictureArea::line(double x1, double y1, double x2, double y2, const QColor& color) {
  add({Shape::Line, x1, y1, x2, y2, color, -1, spanning(x1, y1, x2, y2)});
  emit changed();
}

void PictureArea::box(double x1, double y1, double x2, double y2, const QColor& color) {
  // The outline reaches one pixel past the far corner.
  const QPointF pixel = fromPixels(QPointF(1, 1));
  add({Shape::Box, x1, y1, x2, y2, color, -1,
       spanning(x1, y1, x2, y2).adjusted(0, 0, pixel.x(), pixel.y())});
  emit changed();
}

void PictureArea::filledBox(double x1, double y1, double x2, double y2, const QColor& color) {
  add({Shape::Fill, x1, y1, x2, y2, color, -1, spanning(x1, y1, x2, y2)});
  emit changed();
}

void PictureArea::pSet(double x, double y, const QColor& color) {
  add({Shape::Dot, x, y, x, y, color, -1, spanning(x, y, x, y)});
  emit changed();
}

// What a later opaque shape paints over is never seen again: it leaves the list, and a text's
// record with it, so both stay as long as what the area shows however often it is repainted.
void PictureArea::add(Shape shape) {
  shape.bounds = clamped(shape.bounds, QRectF(0, 0, scaleWidth_, scaleHeight_));
  if (shape.kind == Shape::Fill) {
    std::erase_if(shapes_, [&](const Shape& s) { return inside(s.bounds, shape.bounds); });
    keepShownPrints();
  } else if (shape.kind != Shape::Text) {
    std::erase_if(shapes_, [&](const Shape& s) {
      return s.kind == shape.kind && s.x1 == shape.x1 && s.y1 == shape.y1 && s.x2 == shape.x2 &&
             s.y2 == shape.y2 && s.color == shape.color;
    });
  }
  shapes_.push_back(shape);
  draw(shape);
}

// Records of texts painted over, and of empty texts, which show nothing, are dropped.
void PictureArea::keepShownPrints() {
  QVector<PrintRecord> shown;
  for (Shape& shape : shapes_) {
    if (shape.kind != Shape::Text) continue;
    shown.push_back(std::move(prints_[shape.print]));
    shape.print = shown.size() - 1;
  }
  prints_ = std::move(shown);
}

void PictureArea::drawText(const PrintRecord& record) {
  const QFont font = makeFont(record.fontName, record.fontSize, record.bold);
  const QPointF at = toPixels(record.x, record.y);
  QPainter painter(&image_);
  painter.setFont(font);
  painter.setPen(record.color);
  const int ascent = QFontMetrics(font, &layoutDevice()).ascent();
  painter.drawText(QPointF(at.x(), at.y() + ascent), record.text);
}

void PictureArea::draw(const Shape& shape) {
  if (shape.kind == Shape::Text) {
    drawText(prints_[shape.print]);
    return;
  }
  const QPoint a = toDevice(std::min(shape.x1, shape.x2), std::min(shape.y1, shape.y2));
  const QPoint b = toDevice(std::max(shape.x1, shape.x2), std::max(shape.y1, shape.y2));
  QImage pixels = devicePixels(image_);
  if (shape.kind == Shape::Dot) {
    if (pixels.valid(a)) pixels.setPixel(a, shape.color.rgb());
    return;
  }
  QPainter painter(&pixels);
  painter.setPen(QPen(shape.color, 0));
  if (shape.kind == Shape::Box) {
    painter.drawRect(QRect(a, b));
  } else if (shape.kind == Shape::Fill) {
    painter.fillRect(QRect(a, b), shape.color);
  } else {
    // Draw to the end point, then put back the end pixel: the end is not part of the line.
    const QPoint from = toDevice(shape.x1, shape.y1), to = toDevice(shape.x2, shape.y2);
    if (from == to) return;
    const QRgb keep = pixels.valid(to) ? pixels.pixel(to) : 0;
    painter.drawLine(from, to);
    painter.end();
    if (pixels.valid(to)) pixels.setPixel(to, keep);
  }
}

}  // namespace sorv
