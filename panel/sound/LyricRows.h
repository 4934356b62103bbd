#pragma once
// The five lyric lines at the foot of APanel and in the lyrics window, repainted only when one
// of them changed since the last look.
#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv {

// A fixed text field as shown: cut at its first NUL.
QString TrimNull(const QString& field);

// Fetches the lines for the heard position into record (reused between calls); repaints the
// rows and, while LyricShow is 1, the lyrics window when any line differs from LyricLines;
// then keeps the lines in LyricLines.
void RefreshLyricLines(State& s, Decoder& d, PlayerView& v, LyricsRecord& record);

}  // namespace sorv
