#include "panel/sound/EqualizerPanel.h"

#include <algorithm>
#include <cmath>

#include "panel/sound/PanelGeometry.h"
#include "panel/sound/SliderPictures.h"

namespace sorv {

namespace {

bool validBand(int band) {
  return band >= 0 && band < kBandCount;
}
bool validPreset(int preset) {
  return preset >= 0 && preset < kPresetCount;
}
bool validChannel(int channel) {
  return channel == 0 || channel == 1;
}

// The whole part of a mouse position, kept inside 0..limit.
int clampedPosition(double y, int limit) {
  if (!std::isfinite(y)) return y > 0 ? limit : 0;
  return static_cast<int>(std::clamp(std::floor(y), 0.0, static_cast<double>(limit)));
}

PictureWidget* makeSlider(QWidget* parent, const QRect& place, void (*prepare)(PictureArea&)) {
  auto* slider = new PictureWidget(place.size(), parent);
  slider->setGeometry(place);
  prepare(slider->area());
  return slider;
}

}  // namespace

EqualizerPanel::EqualizerPanel(State& s, AudioEngine& d, QWidget* parent)
    : QObject(parent), s_(s), d_(d) {
  createControls(parent);
}

void EqualizerPanel::createControls(QWidget* parent) {
  for (int band = 0; band < kBandCount; ++band) {
    bands_[band] =
        makeSlider(parent, twipsRect(510 + 240 * band, 3285, 105, 1300), prepareBandSlider);
    connectSlider(bands_[band], band, &EqualizerPanel::equMouseMove, &EqualizerPanel::equMouseUp);
  }
  for (int preset = 0; preset < kPresetCount; ++preset) {
    auto* button = new PresetButton(presetCaption(preset), parent);
    button->setGeometry(twipsRect(2880, 3240 + 240 * preset, 255, 195));
    connect(button, &PresetButton::clicked, this, [this, preset] { equPreClick(preset); });
    presets_[preset] = button;
  }
  for (int channel = 0; channel < 2; ++channel) {
    volumes_[channel] = makeSlider(parent, twipsRect(channel == 0 ? 3360 : 3720, 3285, 135, 1300),
                                   prepareVolumeSlider);
    connectSlider(volumes_[channel], channel, &EqualizerPanel::volumeMouseMove,
                  &EqualizerPanel::volumeMouseUp);
  }
}

void EqualizerPanel::connectSlider(PictureWidget* slider, int index, MoveHandler move,
                                   UpHandler up) {
  connect(slider, &PictureWidget::mouseMove, this,
          [this, index, move](Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x,
                              double y) { (this->*move)(index, buttons, shift, x, y); });
  connect(slider, &PictureWidget::mouseUp, this,
          [this, index, up](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                            double y) { (this->*up)(index, button, shift, x, y); });
}

PictureWidget* EqualizerPanel::equ(int band) const {
  return validBand(band) ? bands_[band] : nullptr;
}

PresetButton* EqualizerPanel::equPre(int preset) const {
  return validPreset(preset) ? presets_[preset] : nullptr;
}

PictureWidget* EqualizerPanel::volumeSlider(int channel) const {
  return validChannel(channel) ? volumes_[channel] : nullptr;
}

void EqualizerPanel::equMouseMove(int band, Qt::MouseButtons buttons, Qt::KeyboardModifiers, double,
                                  double y) {
  if (buttons & Qt::LeftButton) setBand(band, y);
}

void EqualizerPanel::equMouseUp(int band, Qt::MouseButton, Qt::KeyboardModifiers, double,
                                double y) {
  setBand(band, y);
  applyGains();
}

void EqualizerPanel::volumeMouseMove(int channel, Qt::MouseButtons buttons, Qt::KeyboardModifiers,
                                     double, double y) {
  if (buttons & Qt::LeftButton) setVolume(channel, y);
}

void EqualizerPanel::volumeMouseUp(int channel, Qt::MouseButton, Qt::KeyboardModifiers, double,
                                   double y) {
  setVolume(channel, y);
  d_.setVolume(s_.volLevel[0], s_.volLevel[1]);
}

void EqualizerPanel::setBand(int band, double y) {
  if (!validBand(band)) return;
  const int knob = clampedPosition(y, kBandScale);
  s_.equGain[band] = kBandScale / 2 - knob;
  drawBandKnob(bands_[band]->area(), knob);
  // Dragging under the user's preset edits it; under any other preset that preset stays as is.
  if (s_.equPreNo == kUserPreset) s_.equLevel[band] = s_.equGain[band];
  bands_[band]->setToolTip(bandTip(s_, band));
}

void EqualizerPanel::setVolume(int channel, double y) {
  if (!validChannel(channel)) return;
  const int level = clampedPosition(y, kVolumeScale);
  s_.volLevel[channel] = kVolumeScale - level;
  drawVolumeBar(volumes_[channel]->area(), level);
  volumes_[channel]->setToolTip(volumeTip(s_, channel));
}

void EqualizerPanel::sendGains(const Gains& gains) {
  const bool anyGain = std::any_of(gains.begin(), gains.end(), [](int32_t g) { return g != 0; });
  d_.setEqualizer(anyGain ? &gains : nullptr);
}

void EqualizerPanel::applyGains() {
  const Gains gains = s_.equGain;
  sendGains(gains);
  d_.reload();
}

void EqualizerPanel::equPreClick(int preset) {
  if (!validPreset(preset)) return;
  if (validPreset(s_.equPreNo)) presets_[s_.equPreNo]->setSelected(false);
  const Gains values = presetValues(s_, preset);
  s_.equPreNo = static_cast<int16_t>(preset);
  presets_[preset]->setSelected(true);
  // The sliders clamp, so a damaged saved preset still sends gains inside -120..+120.
  for (int band = 0; band < kBandCount; ++band) setBand(band, kBandScale / 2 - values[band]);
  sendGains(s_.equGain);
  d_.reload();
}

void EqualizerPanel::restoreSaved() {
  equPreClick(validPreset(s_.equPreNo) ? s_.equPreNo : kUserPreset);
  for (int band = 0; band < kBandCount; ++band) bands_[band]->setToolTip(bandTip(s_, band));
  for (int channel = 0; channel < 2; ++channel) {
    setVolume(channel, kVolumeScale - s_.volLevel[channel]);
  }
  d_.setVolume(s_.volLevel[0], s_.volLevel[1]);
}

void EqualizerPanel::setBothVolumes(int level) {
  for (int channel = 0; channel < 2; ++channel)
    setVolume(channel, kVolumeScale - std::clamp(level, 0, kVolumeScale));
  d_.setVolume(s_.volLevel[0], s_.volLevel[1]);
}

}  // namespace sorv
