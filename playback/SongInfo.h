#pragma once
// Drawing what is known about the current track onto the picture areas.
#include <QString>

#include "core/PictureArea.h"
#include "core/State.h"
#include "decoder/AudioEngine.h"

namespace sorv {

// Shadow first (black, offset down-right), then the text 16*offset twips up-left of it in the
// colour, then an empty line at (x, y).
void shadowPrint(PictureArea& area, const QString& text, int red, int green, int blue, int x, int y,
                 int offset);
void showTrackTitle(State& s, PictureArea& area);
// screenWidthTwips decides between the long and the short line.
void showBarTitle(State& s, PictureArea& area, int screenWidthTwips);
void showListView(State& s, AudioEngine& d, PictureArea& area);
void showIdlePanel(PictureArea& area, const QString& version);
void showSongDetail(State& s, PictureArea& area);
// The main panel's progress bar, emptied to its frame.
void clearTimeBar(PictureArea& mPanel);
// The primary screen's width in twips.
int screenWidthTwips();

}  // namespace sorv
