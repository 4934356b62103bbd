#include "panel/sound/EqualizerPanel.h"

#include <algorithm>
#include <cmath>

#include "panel/sound/PanelGeometry.h"
#include "panel/sound/SliderPictures.h"

namespace sorv {

namespace {

bool ValidBand(int band) {
  return band >= 0 && band < kBandCount;
}
bool ValidPreset(int preset) {
  return preset >= 0 && preset < kPresetCount;
}
bool ValidChannel(int channel) {
  return channel == 0 || channel == 1;
}

// The whole part of a mouse position, kept inside 0..limit.
int ClampedPosition(double y, int limit) {
  if (!std::isfinite(y)) return y > 0 ? limit : 0;
  return static_cast<int>(std::clamp(std::floor(y), 0.0, static_cast<double>(limit)));
}

PictureWidget* MakeSlider(QWidget* parent, const QRect& place, void (*prepare)(PictureArea&)) {
  auto* slider = new PictureWidget(place.size(), parent);
  slider->setGeometry(place);
  prepare(slider->area());
  return slider;
}

}  // namespace

EqualizerPanel::EqualizerPanel(State& s, Decoder& d, QWidget* parent)
    : QObject(parent), s_(s), d_(d) {
  CreateControls(parent);
}

void EqualizerPanel::CreateControls(QWidget* parent) {
  for (int band = 0; band < kBandCount; ++band) {
    bands_[band] =
        MakeSlider(parent, TwipsRect(510 + 240 * band, 3285, 105, 1300), PrepareBandSlider);
    ConnectSlider(bands_[band], band, &EqualizerPanel::Equ_MouseMove, &EqualizerPanel::Equ_MouseUp);
  }
  for (int preset = 0; preset < kPresetCount; ++preset) {
    auto* button = new PresetButton(PresetCaption(preset), parent);
    button->setGeometry(TwipsRect(2880, 3240 + 240 * preset, 255, 195));
    connect(button, &PresetButton::clicked, this, [this, preset] { EquPre_Click(preset); });
    presets_[preset] = button;
  }
  for (int channel = 0; channel < 2; ++channel) {
    volumes_[channel] = MakeSlider(parent, TwipsRect(channel == 0 ? 3360 : 3720, 3285, 135, 1300),
                                   PrepareVolumeSlider);
    ConnectSlider(volumes_[channel], channel, &EqualizerPanel::Volume_MouseMove,
                  &EqualizerPanel::Volume_MouseUp);
  }
}

void EqualizerPanel::ConnectSlider(PictureWidget* slider, int index, MoveHandler move,
                                   UpHandler up) {
  connect(slider, &PictureWidget::mouseMove, this,
          [this, index, move](Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x,
                              double y) { (this->*move)(index, buttons, shift, x, y); });
  connect(slider, &PictureWidget::mouseUp, this,
          [this, index, up](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                            double y) { (this->*up)(index, button, shift, x, y); });
}

PictureWidget* EqualizerPanel::Equ(int band) const {
  return ValidBand(band) ? bands_[band] : nullptr;
}

PresetButton* EqualizerPanel::EquPre(int preset) const {
  return ValidPreset(preset) ? presets_[preset] : nullptr;
}

PictureWidget* EqualizerPanel::Volume(int channel) const {
  return ValidChannel(channel) ? volumes_[channel] : nullptr;
}

void EqualizerPanel::Equ_MouseMove(int band, Qt::MouseButtons buttons, Qt::KeyboardModifiers,
                                   double, double y) {
  if (buttons & Qt::LeftButton) SetBand(band, y);
}

void EqualizerPanel::Equ_MouseUp(int band, Qt::MouseButton, Qt::KeyboardModifiers, double,
                                 double y) {
  SetBand(band, y);
  ApplyGains();
}

void EqualizerPanel::Volume_MouseMove(int channel, Qt::MouseButtons buttons, Qt::KeyboardModifiers,
                                      double, double y) {
  if (buttons & Qt::LeftButton) SetVolume(channel, y);
}

void EqualizerPanel::Volume_MouseUp(int channel, Qt::MouseButton, Qt::KeyboardModifiers, double,
                                    double y) {
  SetVolume(channel, y);
  d_.vbmp3_setVolume(s_.VolLevel[0], s_.VolLevel[1]);
}

void EqualizerPanel::SetBand(int band, double y) {
  if (!ValidBand(band)) return;
  const int knob = ClampedPosition(y, kBandScale);
  s_.EquGain[band] = kBandScale / 2 - knob;
  DrawBandKnob(bands_[band]->area(), knob);
  // Dragging under the user's preset edits it; under any other preset that preset stays as is.
  if (s_.EquPreNo == kUserPreset) s_.EquLevel[band] = s_.EquGain[band];
  bands_[band]->setToolTip(BandTip(s_, band));
}

void EqualizerPanel::SetVolume(int channel, double y) {
  if (!ValidChannel(channel)) return;
  const int level = ClampedPosition(y, kVolumeScale);
  s_.VolLevel[channel] = kVolumeScale - level;
  DrawVolumeBar(volumes_[channel]->area(), level);
  volumes_[channel]->setToolTip(VolumeTip(s_, channel));
}

void EqualizerPanel::SendGains(const Gains& gains) {
  const bool anyGain = std::any_of(gains.begin(), gains.end(), [](int32_t g) { return g != 0; });
  d_.vbmp3_setEqualizer(anyGain ? &gains : nullptr);
}

void EqualizerPanel::ApplyGains() {
  const Gains gains = s_.EquGain;
  SendGains(gains);
  d_.vbmp3_reload();
}

void EqualizerPanel::EquPre_Click(int preset) {
  if (!ValidPreset(preset)) return;
  if (ValidPreset(s_.EquPreNo)) presets_[s_.EquPreNo]->setSelected(false);
  const Gains values = PresetValues(s_, preset);
  s_.EquPreNo = static_cast<int16_t>(preset);
  presets_[preset]->setSelected(true);
  // The sliders clamp, so a damaged saved preset still sends gains inside -120..+120.
  for (int band = 0; band < kBandCount; ++band) SetBand(band, kBandScale / 2 - values[band]);
  SendGains(s_.EquGain);
  d_.vbmp3_reload();
}

void EqualizerPanel::StartUp() {
  EquPre_Click(ValidPreset(s_.EquPreNo) ? s_.EquPreNo : kUserPreset);
  for (int band = 0; band < kBandCount; ++band) bands_[band]->setToolTip(BandTip(s_, band));
  for (int channel = 0; channel < 2; ++channel) {
    SetVolume(channel, kVolumeScale - s_.VolLevel[channel]);
  }
  d_.vbmp3_setVolume(s_.VolLevel[0], s_.VolLevel[1]);
}

}  // namespace sorv
