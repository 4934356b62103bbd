#pragma once
// Shows a PictureArea on screen and reports the mouse in the area's scale units. The area draws
// at the device pixel ratio of the screen the widget is on.
#include <QWidget>

#include "core/PictureArea.h"

namespace sorv {

class PictureWidget : public QWidget {
  Q_OBJECT

 public:
  // The widget takes the area's pixel size; the area belongs to the widget.
  explicit PictureWidget(QSize pixels, QWidget* parent = nullptr);

  PictureArea& area() { return area_; }
  const PictureArea& area() const { return area_; }

 signals:
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x, double y);
  void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  PictureArea area_;
};

}  // namespace sorv
