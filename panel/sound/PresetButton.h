#pragma once
// One of the equalizer's preset buttons: a caption in "Arial" on a coloured face that tells
// whether its preset is the one selected.
#include <QColor>
#include <QWidget>

namespace sorv {

class PresetButton : public QWidget {
  Q_OBJECT

 public:
  PresetButton(const QString& caption, QWidget* parent);

  QString text() const { return caption_; }
  void setSelected(bool selected);
  QColor textColor() const { return text_; }
  QColor faceColor() const { return face_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString caption_;
  QColor text_;
  QColor face_;
};

}  // namespace sorv
