#pragma once
// The one-second tick of the main panel (elapsed time, progress bar, counters, end of a track)
// and the seek by a click on the progress bar.
#include <QString>

#include "playback/Player.h"

namespace sorv::panel {

// "3:07 / 4:52": minutes without a leading zero, seconds as two digits.
QString timeLabel(int elapsedSeconds, int totalSeconds);
// clockTimer's tick.
void runClockTick(Player& player);
// The seek of a press at (x, y) twips on the main panel's mPanel; false when the press is outside
// the click zone or nothing plays.
bool seekAt(Player& player, double x, double y);

}  // namespace sorv::panel
