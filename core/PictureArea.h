#pragma once
// A picture area: a drawing surface with a current position and a user scale, over a QImage.
// Coordinates are in scale units (twips unless setScale says otherwise). Every printed text is
// also recorded with its position, font and colour, so tests can assert what was drawn without
// comparing pixels. cls() clears the drawing and the record.
#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>

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

  // pixels: the size on screen. The scale starts as twips: 15 units to a pixel.
  explicit PictureArea(QSize pixels, QObject* parent = nullptr);

  QSize pixelSize() const { return image_.size(); }
  // Keeps the units per pixel of the current scale.
  void setPixelSize(QSize pixels);
  // The units that span the whole area (ScaleWidth, ScaleHeight).
  void setScale(double width, double height);
  double scaleWidth() const { return scaleWidth_; }
  double scaleHeight() const { return scaleHeight_; }

  void setBackColor(const QColor& color) { backColor_ = color; }
  QColor backColor() const { return backColor_; }
  void setForeColor(const QColor& color) { foreColor_ = color; }
  QColor foreColor() const { return foreColor_; }
  // Shown again by every cls(); a null image leaves only the back colour.
  void setPicture(const QImage& picture);

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

  const QImage& image() const { return image_; }
  QImage& image() { return image_; }
  const QVector<PrintRecord>& prints() const { return prints_; }
  // Scale units to pixels.
  QPointF toPixels(double x, double y) const;
  // Pixels to scale units.
  QPointF fromPixels(QPointF pixels) const;
  // Tells the widget showing the area that the image changed. Drawing calls it themselves;
  // code that paints into image() directly calls it when done.
  void touch() { emit changed(); }

 signals:
  void changed();

 private:
  QFont currentFont() const;

  QImage image_;
  QImage picture_;
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
};

}  // namespace sorv
