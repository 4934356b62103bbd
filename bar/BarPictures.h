#pragma once
// The bar's own pictures: the six transport buttons and the logo. Both paint vector shapes at
// the screen's resolution, so they stay sharp at the bar's small height on any display.
#include <QAbstractButton>
#include <QWidget>

namespace sorv::bar {

enum class ButtonSymbol { Previous, Next, Stop, Play, Pause, Panel };

class BarButton : public QAbstractButton {
  Q_OBJECT

 public:
  BarButton(ButtonSymbol symbol, QWidget* parent = nullptr);

  ButtonSymbol symbol() const { return symbol_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  ButtonSymbol symbol_;
  bool hovered_ = false;
};

class BarLogo : public QWidget {
  Q_OBJECT

 public:
  explicit BarLogo(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorv::bar
