#pragma once
// Stopping playback for good before a tool takes the engine or its options change: nothing is
// left playing, pending or shown as playing.
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

// Idle caption, engine stopped, playState 0, no pending start, idle text on mPanel, aPanel
// cleared, lyric lines cleared, elapsed time cleared.
void stopPlayback(State& s, AudioEngine& d, PlayerView& v);
// What the export and the copy do before they start: a playing track is stopped and its file
// closed (the engine is theirs from now on), then playback is stopped for good as above.
void releasePlayer(State& s, AudioEngine& d, PlayerView& v);

}  // namespace sorv
