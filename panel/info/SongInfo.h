#pragma once
// Drawing what is known about the current track onto the picture areas.
#include <QString>

#include "core/PictureArea.h"
#include "core/State.h"
#include "decoder/Decoder.h"

namespace sorv {

// Shadow first (black, offset down-right), then the text 16*offset twips up-left of it in the
// colour, then an empty line at (x, y).
void ShadowPrint(PictureArea& area, const QString& text, int red, int green, int blue, int x, int y,
                 int offset);
void ShowTrackTitle(State& s, PictureArea& area);
// screenWidthTwips decides between the long and the short line.
void ShowBarTitle(State& s, PictureArea& area, int screenWidthTwips);
void ShowListView(State& s, Decoder& d, PictureArea& area);
void ShowIdlePanel(PictureArea& area, const QString& version);
void ShowSongDetail(State& s, PictureArea& area);
// The main panel's progress bar, emptied to its frame.
void ClearTimeBar(PictureArea& mPanel);
// The primary screen's width in twips.
int ScreenWidthTwips();

}  // namespace sorv
