#pragma once
// The equalizer's bands and its six presets.
#include <QString>

#include "core/State.h"
#include "decoder/Records.h"

namespace sorv {

inline constexpr int kBandCount = 10;
inline constexpr int kPresetCount = 6;
inline constexpr int kUserPreset = 5;

// "60Hz" ... "16KHz", in band order.
QString bandLabel(int band);
// "FLAT", "ROCK", "POP", "BASS", "TREBLE", "USER".
QString presetCaption(int preset);
// The ten gains of a preset; the user preset is the user's own equLevel.
Gains presetValues(const State& s, int preset);
// "60Hz (0)": the band's tool-tip for its gain in force.
QString bandTip(const State& s, int band);
// "Left Volume(80)" / "Right Volume(80)".
QString volumeTip(const State& s, int channel);

}  // namespace sorv
