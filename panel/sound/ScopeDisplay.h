#pragma once
// The stereo spectrum (Spe) and the oscilloscope (wPanel) of the main panel, and the 70 ms tick
// that animates them and keeps the lyric lines current.
#include <QObject>
#include <optional>

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
  // The lit colours (at the area's device pixels) and the ink that paints over them.
  const QImage& spectrumPicture() const { return picture_; }
  QColor ink() const;

  // The 70 ms tick.
  void scopeTick();
  // Paints the whole spectrum over with the ink, as at start-up and after playback stopped.
  void clearSpectrum();

 private:
  // What an area shows: the values and volumes it was drawn from, and the size of its image.
  struct Shown {
    Bins left, right;
    int32_t volumeLeft, volumeRight;
    QSize pixels;
    bool operator==(const Shown&) const = default;
  };

  // The spectrum and the wave, or their clearing once playback stopped.
  void drawScopes();
  void drawSpectrum();
  void drawWave();
  // True when now differs from what the area shows, which then becomes now.
  static bool changes(std::optional<Shown>& shown, const Shown& now);

  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
  PictureWidget* spe_ = nullptr;
  PictureWidget* wpanel_ = nullptr;
  QImage picture_;
  Bins left_{};
  Bins right_{};
  LyricsRecord lyrics_;
  std::optional<Shown> spectrumShown_, waveShown_;  // none after the area was blanked
};

}  // namespace sorv
