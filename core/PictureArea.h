#pragma once
// A picture area: a drawing surface with a current position and a user scale, over a QImage.
// Coordinates are in scale units (twips unless setScale says otherwise). Every printed text is
// also recorded with its position, font and colour, so tests can assert what was drawn without
// comparing pixels. cls() clears the drawing and the record; a filled box forgets the records
// of the texts it covers (and of empty prints), so repainting never makes the record grow.
//
// The image has the screen's device pixel ratio: its logical size is the area's size in pixels
// and it holds that many times the ratio in device pixels. Layout (text lines, positions, mouse
// positions) is worked out in logical pixels, so it is the same at every ratio; lines, boxes and
// points are placed on device pixels, and a line is one device pixel wide at every ratio. What
// was drawn since the last cls() is kept as a list of shapes, so a change of ratio draws it
// again sharp.
#include <QColor>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>
#include <vector>

class QPainter;

namespace sorv {

class PictureArea : public QObject {
  Q_OBJECT

 public:
  struct PrintRecord {
    QString text;
    double x = 0;
    double y = 0;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    QColor color;
  };
  // Paints the background picture in logical pixels.
  using Painting = std::function<void(QPainter&)>;

  // pixels: the size on screen. The scale starts as twips: 15 units to a pixel.
  explicit PictureArea(QSize pixels, QObject* parent = nullptr);

  // The size in logical pixels.
  QSize pixelSize() const { return size_; }
  // Keeps the units per pixel of the current scale.
  void setPixelSize(QSize pixels);
  qreal devicePixelRatio() const { return ratio_; }
  // Makes the image anew at the ratio and draws again what was drawn since the last cls().
  void setDevicePixelRatio(qreal ratio);
  // The units that span the whole area (ScaleWidth, ScaleHeight).
  void setScale(double width, double height);
  double scaleWidth() const { return scaleWidth_; }
  double scaleHeight() const { return scaleHeight_; }

  void setBackColor(const QColor& color) { backColor_ = color; }
  QColor backColor() const { return backColor_; }
  void setForeColor(const QColor& color) { foreColor_ = color; }
  QColor foreColor() const { return foreColor_; }
  // Shown again by every cls(); painted once for each ratio. None leaves only the back colour.
  void setPicture(Painting paint);

  void setFontName(const QString& name) { fontName_ = name; }
  void setFontSize(double points) { fontSize_ = points; }
  void setFontBold(bool bold) { fontBold_ = bold; }
  QString fontName() const { return fontName_; }
  double fontSize() const { return fontSize_; }
  bool fontBold() const { return fontBold_; }

  double currentX() const { return currentX_; }
  double currentY() const { return currentY_; }
  void setCurrentX(double x) { currentX_ = x; }
  void setCurrentY(double y) { currentY_ = y; }

  // Fills with the back colour and the picture; position to (0, 0); forgets the record.
  void cls();
  // Draws text in the fore colour with its top-left corner at the current position, then moves
  // to X 0, one line height lower.
  void print(const QString& text);
  // Line from (x1, y1) up to, not including, (x2, y2).
  void line(double x1, double y1, double x2, double y2, const QColor& color);
  // Unfilled rectangle with corners (x1, y1) and (x2, y2), both included.
  void box(double x1, double y1, double x2, double y2, const QColor& color);
  void filledBox(double x1, double y1, double x2, double y2, const QColor& color);
  void pSet(double x, double y, const QColor& color);
  // The height of one printed line in the current font, in scale units.
  double textHeight() const;

  // Device pixels, with the ratio set on the image.
  const QImage& image() const { return image_; }
  QImage& image() { return image_; }
  const QVector<PrintRecord>& prints() const { return prints_; }
  // Scale units to logical pixels.
  QPointF toPixels(double x, double y) const;
  // Logical pixels to scale units.
  QPointF fromPixels(QPointF pixels) const;
  // Tells the widget showing the area that the image changed. Drawing calls it themselves;
  // code that paints into image() directly calls it when done.
  void touch() { emit changed(); }

 signals:
  void changed();

 private:
  // One drawing call, in scale units; a text names its print record.
  struct Shape {
    enum Kind { Text, Line, Box, Fill, Dot } kind;
    double x1, y1, x2, y2;
    QColor color;
    qsizetype print = -1;
    // What it may paint, in scale units, within the area.
    QRectF bounds;
  };

  QFont currentFont() const;
  QPoint toDevice(double x, double y) const;
  void add(Shape shape);
  void keepShownPrints();
  void draw(const Shape& shape);
  void drawText(const PrintRecord& record);
  void paintBackground();

  QSize size_;
  qreal ratio_ = 1;
  QImage image_;
  Painting painting_;
  QImage picture_;  // painting_ at the current ratio
  double scaleWidth_;
  double scaleHeight_;
  QColor backColor_{Qt::white};
  QColor foreColor_{Qt::black};
  QString fontName_;
  double fontSize_ = 9;
  bool fontBold_ = false;
  double currentX_ = 0;
  double currentY_ = 0;
  QVector<PrintRecord> prints_;
  std::vector<Shape> shapes_;
};

}  // namespace sorv
