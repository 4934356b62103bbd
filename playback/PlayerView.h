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
  virtual PictureArea& mPanel() = 0;
  virtual PictureArea& aPanel() = 0;
  // Compact bar picture areas: the song line and the seek strip.
  virtual PictureArea& mpanel2() = 0;
  virtual PictureArea& timeBar() = 0;

  // Main panel caption.
  virtual void setCaption(const QString& text) = 0;
  // Position counters (cdisp) of the main panel and of the bar, repainted at once.
  virtual void setCounter(const QString& text) = 0;
  virtual QString counter() const = 0;
  virtual void setBarCounter(const QString& text) = 0;
  // Elapsed-time labels (tdisp) of the main panel and of the bar.
  virtual void setTime(const QString& text) = 0;
  virtual QString time() const = 0;
  virtual void setBarTime(const QString& text) = 0;

  // The five labels of the lyrics window, top to bottom; loads the window without showing it.
  virtual void setLyricLabels(const std::array<QString, 5>& lines) = 0;

  // The main panel's start timer (startDelayTimer): interval 0 disables it.
  virtual void setStartTimer(int intervalMs) = 0;
  // The main panel's one-second time and end-of-track tick (clockTimer).
  virtual void setEndTimerEnabled(bool enabled) = 0;

  // Shows the window that dispMode names (and places the bar).
  virtual void showDispMode() = 0;
  // Loop and shuffle lamps of the panel, check marks of the bar's menu.
  virtual void loopShuffleOnOff() = 0;
  // SELOFF marker hidden and the bar's selection entry enabled when true.
  virtual void setSelectionAvailable(bool available) = 0;

  // Windows that commands open.
  virtual void openOptions() = 0;
  virtual void openSelection() = 0;
  virtual void openAbout() = 0;
  virtual void openLyrics() = 0;
  // Ends the program: stops the engine, closes the windows, runs the shut-down.
  virtual void closeProgram() = 0;
};

}  // namespace sorv
