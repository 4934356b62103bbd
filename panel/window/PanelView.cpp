#include "panel/window/PanelView.h"

namespace sorv {

PictureArea& PanelView::MPanel() {
  return panel_->MPanel();
}

PictureArea& PanelView::APanel() {
  return panel_->APanel();
}

void PanelView::SetCaption(const QString& text) {
  panel_->setWindowTitle(text);
}

void PanelView::SetCounter(const QString& text) {
  panel_->SetCounter(text);
}

QString PanelView::Counter() const {
  return panel_->Counter();
}

void PanelView::SetTime(const QString& text) {
  panel_->SetTime(text);
}

QString PanelView::Time() const {
  return panel_->Time();
}

void PanelView::SetStartTimer(int intervalMs) {
  panel_->SetStartTimer(intervalMs);
}

void PanelView::SetEndTimerEnabled(bool enabled) {
  panel_->SetEndTimerEnabled(enabled);
}

void PanelView::LoopShuffleOnOff() {
  panel_->ShowLamps();
}

void PanelView::SetSelectionAvailable(bool available) {
  panel_->SetSelectionAvailable(available);
}

}  // namespace sorv
