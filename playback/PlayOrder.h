#pragma once
// Play order and track advance: the start delay, previous and next, loop and shuffle, and the
// end of a track.
#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

namespace sorv {

// Arms the main panel's two-second start timer; StartPending = 1.
void ArmStart(State& s, PlayerView& v);
// Disarms it; StartPending = 0.
void CancelStart(State& s, PlayerView& v);
void StepBack(State& s, Decoder& d, PlayerView& v);
void StepForward(State& s, Decoder& d, PlayerView& v);
void ToggleLoop(State& s, PlayerView& v);
void ToggleShuffle(State& s, PlayerView& v);
// Shuffles the play list in place; the last entry and ListPos keep their places.
void TblShuffle(State& s);
// The next uniform number in [0, 1) of the play-order generator (s.RndState).
double NextRandom(State& s);
// The end-of-track steps, run by the one-second tick when the engine reports state 0.
void EndOfTrack(State& s, Decoder& d, PlayerView& v);
// The start timer's tick (the main panel's one: it also sets the caption).
void StartTimerTick(State& s, Decoder& d, PlayerView& v);

}  // namespace sorv
