#include "panel/sound/Presets.h"

#include <array>

namespace sorv {

namespace {

constexpr std::array<const char*, kBandCount> kBandLabels = {
    "60Hz", "170Hz", "310Hz", "600Hz", "1KHz", "3KHz", "6KHz", "12KHz", "14KHz", "16KHz"};

constexpr std::array<const char*, kPresetCount> kCaptions = {"FLAT", "ROCK",   "POP",
                                                             "BASS", "TREBLE", "USER"};

// The fixed presets; the user's own comes from the state.
constexpr std::array<Gains, kUserPreset> kFixedPresets = {{
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {60, 40, 20, 0, -20, -20, 0, 20, 40, 60},
    {20, 30, 40, 60, 60, 40, 30, 20, 0, 0},
    {60, 80, 40, 20, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 20, 30, 40, 60, 60, 60},
}};

}  // namespace

QString bandLabel(int band) {
  if (band < 0 || band >= kBandCount) return {};
  return QString::fromLatin1(kBandLabels[band]);
}

QString presetCaption(int preset) {
  if (preset < 0 || preset >= kPresetCount) return {};
  return QString::fromLatin1(kCaptions[preset]);
}

Gains presetValues(const State& s, int preset) {
  if (preset == kUserPreset) return s.equLevel;
  if (preset < 0 || preset >= kUserPreset) return Gains{};
  return kFixedPresets[preset];
}

QString bandTip(const State& s, int band) {
  return bandLabel(band) + " (" + QString::number(s.equGain[band]) + ")";
}

QString volumeTip(const State& s, int channel) {
  const char* side = channel == 0 ? "Left Volume(" : "Right Volume(";
  return QString::fromLatin1(side) + QString::number(s.volLevel[channel]) + ")";
}

}  // namespace sorv
