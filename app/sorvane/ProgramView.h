#pragma once
// The program's view of its windows: the main panel's share from PanelView, the compact bar, the
// lyrics window and the modal windows that commands open.
#include <functional>

#include "bar/Bar.h"
#include "bar/frmLyric.h"
#include "panel/window/PanelView.h"

namespace sorv {

class ProgramView : public PanelView {
 public:
  ProgramView(State& s, Decoder& d) : s_(s), d_(d) {}
  void AttachWindows(Bar& bar, frmLyric& lyric) {
    bar_ = &bar;
    lyric_ = &lyric;
  }

  PictureArea& Mpanel2() override { return bar_->Mpanel2(); }
  PictureArea& TimeBar() override { return bar_->TimeBar(); }
  void SetBarCounter(const QString& text) override { bar_->SetCounter(text); }
  void SetBarTime(const QString& text) override { bar_->SetTime(text); }
  void SetLyricLabels(const std::array<QString, 5>& lines) override { lyric_->SetLines(lines); }
  void ShowDispMode() override;
  void LoopShuffleOnOff() override;
  void SetSelectionAvailable(bool available) override;
  void OpenOptions() override;
  void OpenSelection() override;
  void OpenAbout() override;
  void OpenLyrics() override { lyric_->Open(); }
  // Stops the engine when it is busy, then unloads the bar, the lyrics window and the panel.
  void CloseProgram() override;

 private:
  // The window that modal windows belong to: the one on screen.
  QWidget* ShownWindow();

  State& s_;
  Decoder& d_;
  Bar* bar_ = nullptr;
  frmLyric* lyric_ = nullptr;
};

}  // namespace sorv
