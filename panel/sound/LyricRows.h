#pragma once
// The five lyric lines at the foot of aPanel and in the lyrics window, repainted only when one
// of them changed since the last look.
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

// A fixed text field as shown: cut at its first NUL.
QString trimNull(const QString& field);

// Fetches the lines for the heard position into record (reused between calls); repaints the
// rows and, while lyricShow is 1, the lyrics window when any line differs from lyricLines;
// then keeps the lines in lyricLines.
void refreshLyricLines(State& s, AudioEngine& d, PlayerView& v, LyricsRecord& record);

}  // namespace sorv
