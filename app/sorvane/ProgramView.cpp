#include "app/sorvane/ProgramView.h"

#include "bar/DispMode.h"
#include "tools/AboutBox.h"
#include "tools/OptionsDialog.h"

namespace sorv {

void ProgramView::showDispMode() {
  sorv::showDispMode(s_, panel(), *bar_);
}

void ProgramView::loopShuffleOnOff() {
  PanelView::loopShuffleOnOff();
  bar_->loopShuffleChecks();
}

void ProgramView::setSelectionAvailable(bool available) {
  PanelView::setSelectionAvailable(available);
  bar_->setSelSongEnabled(available);
}

QWidget* ProgramView::shownWindow() {
  if (s_.dispMode == DisplayMode::Bar) return bar_;
  return &panel();
}

void ProgramView::openOptions() {
  OptionsDialog dialog(*player_, shownWindow());
  dialog.exec();
}

// The window is hidden, not unloaded, by its buttons: its tree, ticks and boxes are there again
// on the next opening.
void ProgramView::openSelection() {
  if (selection_->parentWidget() != shownWindow())
    selection_->setParent(shownWindow(), selection_->windowFlags());
  selection_->exec();
}

void ProgramView::openAbout() {
  AboutBox dialog(s_, shownWindow());
  dialog.exec();
}

void ProgramView::closeProgram() {
  int32_t position = 0;
  if (d_.state(position) != 0) {
    d_.stop();
    d_.close();
  }
  bar_->close();
  lyric_->close();
  panel().close();
}

}  // namespace sorv
