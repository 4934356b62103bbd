#include "panel/window/PanelView.h"

namespace sorv {

PictureArea& PanelView::mPanel() {
  return panel_->mPanel();
}

PictureArea& PanelView::aPanel() {
  return panel_->aPanel();
}

void PanelView::setCaption(const QString& text) {
  panel_->setWindowTitle(text);
}

void PanelView::setCounter(const QString& text) {
  panel_->setCounter(text);
}

QString PanelView::counter() const {
  return panel_->counter();
}

void PanelView::setTime(const QString& text) {
  panel_->setTime(text);
}

QString PanelView::time() const {
  return panel_->time();
}

void PanelView::setStartTimer(int intervalMs) {
  panel_->setStartTimer(intervalMs);
}

void PanelView::setEndTimerEnabled(bool enabled) {
  panel_->setEndTimerEnabled(enabled);
}

void PanelView::loopShuffleOnOff() {
  panel_->showLamps();
}

void PanelView::setSelectionAvailable(bool available) {
  panel_->setSelectionAvailable(available);
}

}  // namespace sorv
