#pragma once
// The lyrics window: five consecutive lines of the playing song, the middle one highlighted.
// The main panel's lyric tick writes the lines; this window fetches them once when it loads,
// lays them out and keeps the engine's next-line adjust time while it is loaded.
#include <QWidget>
#include <array>

#include "core/State.h"
#include "decoder/AudioEngine.h"

class QLabel;

namespace sorv {

class LyricsWindow : public QWidget {
  Q_OBJECT

 public:
  LyricsWindow(State& s, AudioEngine& d, QWidget* parent = nullptr);

  // Loads the window when needed and shows it; not modal.
  void open();
  // The five lines top to bottom; loads the window (without showing it) when needed.
  void setLines(const std::array<QString, 5>& lines);
  std::array<QString, 5> lines() const;
  // The unload steps, as when the user closes the window: lyricShow = 0, adjust time 0.
  void unload();
  bool isLoaded() const { return loaded_; }
  // The labels' font size in points.
  double lineFontSize() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void load();
  void layoutLines();

  State& s_;
  AudioEngine& d_;
  std::array<QLabel*, 5> lyric1_{};
  bool loaded_ = false;
};

}  // namespace sorv
