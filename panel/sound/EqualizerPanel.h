#pragma once
// The main panel's ten equalizer bands, six preset buttons and two volume sliders. The sliders
// are picture areas drawn here; a drag updates the values and the picture, the release hands
// them to the engine.
#include <QObject>
#include <array>

#include "core/PictureWidget.h"
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "panel/sound/PresetButton.h"
#include "panel/sound/Presets.h"

namespace sorv {

class EqualizerPanel : public QObject {
  Q_OBJECT

 public:
  // Creates the controls on parent at the panel's places.
  EqualizerPanel(State& s, AudioEngine& d, QWidget* parent);

  PictureWidget* equ(int band) const;
  PresetButton* equPre(int preset) const;
  PictureWidget* volumeSlider(int channel) const;

  // Mouse positions in the slider's scale units (0..240 for a band, 0..100 for a volume).
  void equMouseMove(int band, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x,
                    double y);
  void equMouseUp(int band, Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                  double y);
  void equPreClick(int preset);
  void volumeMouseMove(int channel, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x,
                       double y);
  void volumeMouseUp(int channel, Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                     double y);

  // Sets the band's gain from a knob position and redraws it.
  void setBand(int band, double y);
  // Sets the channel's level from a bar position and redraws it.
  void setVolume(int channel, double y);
  // Sends the gains in force; all zero switches the equalizer off.
  void applyGains();

  // Start-up: the saved preset as if chosen, band tool-tips, the volume bars, the engine's volume.
  void restoreSaved();
  // Both channels to one level (0..100), drawn and heard, as a desktop volume control sets it.
  void setBothVolumes(int level);

 private:
  using MoveHandler = void (EqualizerPanel::*)(int, Qt::MouseButtons, Qt::KeyboardModifiers, double,
                                               double);
  using UpHandler = void (EqualizerPanel::*)(int, Qt::MouseButton, Qt::KeyboardModifiers, double,
                                             double);

  void createControls(QWidget* parent);
  // Hands the slider's mouse to the handlers with the slider's index.
  void connectSlider(PictureWidget* slider, int index, MoveHandler move, UpHandler up);
  void sendGains(const Gains& gains);

  State& s_;
  AudioEngine& d_;
  std::array<PictureWidget*, kBandCount> bands_{};
  std::array<PresetButton*, kPresetCount> presets_{};
  std::array<PictureWidget*, 2> volumes_{};
};

}  // namespace sorv
