#pragma once
// Stopping playback for good before a tool takes the engine or its options change: nothing is
// left playing, pending or shown as playing.
#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv {

// Idle caption, engine stopped, PlayState 0, no pending start, idle text on MPanel, APanel
// cleared, lyric lines cleared, elapsed time cleared.
void StopPlayback(State& s, Decoder& d, PlayerView& v);
// What the export and the copy do before they start: a playing track is stopped and its file
// closed (the engine is theirs from now on), then playback is stopped for good as above.
void ReleasePlayer(State& s, Decoder& d, PlayerView& v);

}  // namespace sorv
