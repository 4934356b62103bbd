#pragma once
// The play order: loop and shuffle.
#include "core/State.h"
#include "playback/PlayerView.h"

namespace sorv {

void toggleLoop(State& s, PlayerView& v);
void toggleShuffle(State& s, PlayerView& v);
// Shuffles the play list in place, every order of the entries equally likely; the entry at
// listPos keeps its place.
void tblShuffle(State& s);
// Seeds the play-order generator; the program does it once at start-up, so every run shuffles
// differently.
void seedRandom(State& s, uint32_t seed);
// The next uniform number in [0, 1) of the play-order generator (s.rndState).
double nextRandom(State& s);

}  // namespace sorv
