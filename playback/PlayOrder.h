#pragma once
// Play order and track advance: the start delay, previous and next, loop and shuffle, and the
// end of a track.
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

// Arms the main panel's two-second start timer; startPending = 1.
void armStart(State& s, PlayerView& v);
// Disarms it; startPending = 0.
void cancelStart(State& s, PlayerView& v);
void stepBack(State& s, AudioEngine& d, PlayerView& v);
void stepForward(State& s, AudioEngine& d, PlayerView& v);
void toggleLoop(State& s, PlayerView& v);
void toggleShuffle(State& s, PlayerView& v);
// Shuffles the play list in place; the last entry and listPos keep their places.
void tblShuffle(State& s);
// The next uniform number in [0, 1) of the play-order generator (s.rndState).
double nextRandom(State& s);
// The end-of-track steps, run by the one-second tick when the engine reports state 0.
void endOfTrack(State& s, AudioEngine& d, PlayerView& v);
// The start timer's tick (the main panel's one: it also sets the caption).
void startTimerTick(State& s, AudioEngine& d, PlayerView& v);

}  // namespace sorv
