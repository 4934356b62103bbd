#pragma once
// Starting one track.
#include <cstdint>

#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv {

// Stops and closes what plays, opens ListFile(pos), reads its tag and stream records once,
// offers its lyric file, starts it, waits (bounded) until the engine reports playing, looks it
// up in the song database and draws the song information. -1 on success, 0 on failure (after
// its message). Never changes ListPos, PlayState or StartPending.
int16_t PlayData(State& s, Decoder& d, PlayerView& v, int16_t pos);
// Empties the lyrics window's five lines when LyricShow is 1.
void ClearLyricWindow(State& s, PlayerView& v);

}  // namespace sorv
