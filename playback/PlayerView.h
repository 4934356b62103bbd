#pragma once
// What playback, the selection window, the bar and the tools need of the windows on screen:
// the picture areas and labels of the main panel and the compact bar, their timers, and the
// windows that commands open. The program implements it over the real windows; tests use a
// recording stand-in with real picture areas.
#include <QString>
#include <array>

#include "core/PictureArea.h"

namespace sorv {

class PlayerView {
 public:
  virtual ~PlayerView() = default;

  // Main panel picture areas: title/list/idle/progress, and song details/lyric lines.
  virtual PictureArea& MPanel() = 0;
  virtual PictureArea& APanel() = 0;
  // Compact bar picture areas: the song line and the seek strip.
  virtual PictureArea& Mpanel2() = 0;
  virtual PictureArea& TimeBar() = 0;

  // Main panel caption.
  virtual void SetCaption(const QString& text) = 0;
  // Position counters (cdisp) of the main panel and of the bar, repainted at once.
  virtual void SetCounter(const QString& text) = 0;
  virtual QString Counter() const = 0;
  virtual void SetBarCounter(const QString& text) = 0;
  // Elapsed-time labels (tdisp) of the main panel and of the bar.
  virtual void SetTime(const QString& text) = 0;
  virtual QString Time() const = 0;
  virtual void SetBarTime(const QString& text) = 0;

  // The five labels of the lyrics window, top to bottom; loads the window without showing it.
  virtual void SetLyricLabels(const std::array<QString, 5>& lines) = 0;

  // The main panel's start timer (Timer1): interval 0 disables it.
  virtual void SetStartTimer(int intervalMs) = 0;
  // The main panel's one-second time and end-of-track tick (Timer2).
  virtual void SetEndTimerEnabled(bool enabled) = 0;

  // Shows the window that DispMode names (and places the bar).
  virtual void ShowDispMode() = 0;
  // Loop and shuffle lamps of the panel, check marks of the bar's menu.
  virtual void LoopShuffleOnOff() = 0;
  // SELOFF marker hidden and the bar's selection entry enabled when true.
  virtual void SetSelectionAvailable(bool available) = 0;

  // Windows that commands open.
  virtual void OpenOptions() = 0;
  virtual void OpenSelection() = 0;
  virtual void OpenAbout() = 0;
  virtual void OpenLyrics() = 0;
  // Ends the program: stops the engine, closes the windows, runs the shut-down.
  virtual void CloseProgram() = 0;
};

}  // namespace sorv
