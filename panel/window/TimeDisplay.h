#pragma once
// The one-second tick of the main panel (elapsed time, progress bar, counters, end of a track)
// and the seek by a click on the progress bar.
#include <QString>

#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv::panel {

// "3:07 / 4:52": minutes without a leading zero, seconds as two digits.
QString TimeLabel(int elapsedSeconds, int totalSeconds);
// Timer2's tick.
void Timer2Tick(State& s, Decoder& d, PlayerView& v);
// The seek of a press at (x, y) twips on MPanel; false when the press is outside the click zone
// or nothing plays.
bool SeekAt(State& s, Decoder& d, PictureArea& mPanel, double x, double y);

}  // namespace sorv::panel
