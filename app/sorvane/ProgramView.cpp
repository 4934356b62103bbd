#include "app/sorvane/ProgramView.h"

#include "bar/DispMode.h"
#include "library/select/SelectionWindow.h"
#include "tools/frmAPAbout.h"
#include "tools/frmOpt.h"

namespace sorv {

void ProgramView::ShowDispMode() {
  sorv::ShowDispMode(s_, Panel(), *bar_);
}

void ProgramView::LoopShuffleOnOff() {
  PanelView::LoopShuffleOnOff();
  bar_->LoopShuffleChecks();
}

void ProgramView::SetSelectionAvailable(bool available) {
  PanelView::SetSelectionAvailable(available);
  bar_->SetSelSongEnabled(available);
}

QWidget* ProgramView::ShownWindow() {
  if (s_.DispMode == 2) return bar_;
  return &Panel();
}

void ProgramView::OpenOptions() {
  frmOpt dialog(s_, d_, *this, ShownWindow());
  dialog.exec();
}

void ProgramView::OpenSelection() {
  frmEdit dialog(s_, d_, *this, ShownWindow());
  dialog.exec();
}

void ProgramView::OpenAbout() {
  frmAPAbout dialog(s_, d_, ShownWindow());
  dialog.exec();
}

void ProgramView::CloseProgram() {
  int32_t position = 0;
  if (d_.vbmp3_getState(position) != 0) {
    d_.vbmp3_stop();
    d_.vbmp3_close();
  }
  bar_->close();
  lyric_->close();
  Panel().close();
}

}  // namespace sorv
