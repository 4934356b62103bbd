#pragma once
// The stereo spectrum (Spe) and the oscilloscope (WPanel) of the main panel, and the 70 ms tick
// that animates them and keeps the lyric lines current.
#include <QObject>

#include "core/PictureWidget.h"
#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv {

class ScopeDisplay : public QObject {
  Q_OBJECT

 public:
  // Creates Spe(0) and WPanel(0) on parent at the panel's places.
  ScopeDisplay(State& s, Decoder& d, PlayerView& v, QWidget* parent);

  PictureWidget* Spe() const { return spe_; }
  PictureWidget* WPanel() const { return wpanel_; }
  // The lit colours and the ink that paints over them.
  const QImage& SpectrumPicture() const { return picture_; }
  QColor Ink() const;

  // The 70 ms tick.
  void Timer3_Timer();
  // Paints the whole spectrum over with the ink, as at start-up and after playback stopped.
  void ClearSpectrum();

 private:
  void DrawSpectrum();
  void DrawWave();

  State& s_;
  Decoder& d_;
  PlayerView& v_;
  PictureWidget* spe_ = nullptr;
  PictureWidget* wpanel_ = nullptr;
  QImage picture_;
  Bins left_{};
  Bins right_{};
  LyricsRecord lyrics_;
};

}  // namespace sorv
