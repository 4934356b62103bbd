#pragma once
// The stereo spectrum (Spe) and the oscilloscope (wPanel) of the main panel, and the 70 ms tick
// that animates them and keeps the lyric lines current.
#include <QObject>

#include "core/PictureWidget.h"
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

class ScopeDisplay : public QObject {
  Q_OBJECT

 public:
  // Creates spe(0) and wPanel(0) on parent at the panel's places.
  ScopeDisplay(State& s, AudioEngine& d, PlayerView& v, QWidget* parent);

  PictureWidget* spe() const { return spe_; }
  PictureWidget* wPanel() const { return wpanel_; }
  // The lit colours and the ink that paints over them.
  const QImage& spectrumPicture() const { return picture_; }
  QColor ink() const;

  // The 70 ms tick.
  void scopeTick();
  // Paints the whole spectrum over with the ink, as at start-up and after playback stopped.
  void clearSpectrum();

 private:
  void drawSpectrum();
  void drawWave();

  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
  PictureWidget* spe_ = nullptr;
  PictureWidget* wpanel_ = nullptr;
  QImage picture_;
  Bins left_{};
  Bins right_{};
  LyricsRecord lyrics_;
};

}  // namespace sorv
