#pragma once
// Starting one track.
#include <cstdint>

#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

// Stops and closes what plays, opens the file of entry pos, reads its tag and stream records once,
// offers its lyric file, starts it, waits (bounded) until the engine reports playing, looks it
// up in the song database and draws the song information. -1 on success, 0 on failure (after
// its message). Never changes listPos, playState or startPending.
int16_t playData(State& s, AudioEngine& d, PlayerView& v, int32_t pos);
// Empties the lyrics window's five lines when lyricShow is 1.
void clearLyricWindow(State& s, PlayerView& v);

}  // namespace sorv
