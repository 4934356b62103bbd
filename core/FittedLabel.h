#pragma once
// A one-line label whose text, when it is wider than the label, is drawn narrower to fit: the
// play-list counter keeps its face and height at four digits and still shows seven whole.
#include <QLabel>

namespace sorv {

class FittedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FittedLabel(QWidget* parent = nullptr) : QLabel(parent) {}
  // How much narrower the text is drawn: 1 when it fits as it is.
  double widthScale() const;
  // Where the text is drawn, in the label's coordinates.
  QRectF textRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorv
