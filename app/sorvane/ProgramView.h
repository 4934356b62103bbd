#pragma once
// The program's view of its windows: the main panel's share from PanelView, the compact bar, the
// lyrics window and the modal windows that commands open.
#include <functional>

#include "bar/CompactBar.h"
#include "bar/LyricsWindow.h"
#include "library/select/SelectionWindow.h"
#include "panel/window/PanelView.h"

namespace sorv {

class ProgramView : public PanelView {
 public:
  ProgramView(State& s, AudioEngine& d) : s_(s), d_(d) {}
  // The player and the windows are made after the view (they need it).
  void attachWindows(Player& player, CompactBar& bar, LyricsWindow& lyric,
                     SelectionWindow& selection) {
    player_ = &player;
    bar_ = &bar;
    lyric_ = &lyric;
    selection_ = &selection;
  }

  PictureArea& mpanel2() override { return bar_->mpanel2(); }
  PictureArea& timeBar() override { return bar_->timeBar(); }
  void setBarCounter(const QString& text) override { bar_->setCounter(text); }
  void setBarTime(const QString& text) override { bar_->setTime(text); }
  void setLyricLabels(const std::array<QString, 5>& lines) override { lyric_->setLines(lines); }
  void showDispMode() override;
  void loopShuffleOnOff() override;
  void setSelectionAvailable(bool available) override;
  void openOptions() override;
  void openSelection() override;
  void openAbout() override;
  void openLyrics() override { lyric_->open(); }
  // Stops the engine when it is busy, then unloads the bar, the lyrics window and the panel.
  void closeProgram() override;

 private:
  // The window that modal windows belong to: the one on screen.
  QWidget* shownWindow();

  State& s_;
  AudioEngine& d_;
  Player* player_ = nullptr;
  CompactBar* bar_ = nullptr;
  LyricsWindow* lyric_ = nullptr;
  SelectionWindow* selection_ = nullptr;
};

}  // namespace sorv
