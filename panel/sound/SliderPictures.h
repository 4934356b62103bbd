#pragma once
// The look of the equalizer's band sliders and the volume sliders: their groove pictures,
// colours and scales, and the knob and level bar drawn over them.
#include "core/PictureArea.h"

namespace sorv {

inline constexpr int kBandScale = 240;
inline constexpr int kVolumeScale = 100;

// Scale 0..240 from top to bottom, horizontal in pixels; groove picture and knob colour.
void prepareBandSlider(PictureArea& area);
// Clears to the groove, then the knob at y: a grey box around a line in the drawing colour.
void drawBandKnob(PictureArea& area, int y);

// Scale 0..100 from top to bottom, horizontal in pixels; groove picture and bar colour.
void prepareVolumeSlider(PictureArea& area);
// Clears to the groove, then the level bar from y down to the bottom.
void drawVolumeBar(PictureArea& area, int y);

}  // namespace sorv
