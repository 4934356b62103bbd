#include "playback/PlayOrder.h"

#include <utility>

namespace sorv {

namespace {

// A 24-bit linear congruential generator: small and fast.
constexpr uint32_t kRndMultiplier = 1140671485u;
constexpr uint32_t kRndIncrement = 12820163u;
constexpr uint32_t kRndMask = 0xFFFFFFu;

}  // namespace

void toggleLoop(State& s, PlayerView& v) {
  s.loopMode = s.loopMode == 0 ? 1 : 0;
  v.loopShuffleOnOff();
}

void toggleShuffle(State& s, PlayerView& v) {
  s.shuffleMode = s.shuffleMode == 0 ? 1 : 0;
  if (s.shuffleMode == 1) {
    v.setEndTimerEnabled(false);
    tblShuffle(s);
    v.setEndTimerEnabled(true);
  }
  v.loopShuffleOnOff();
}

void seedRandom(State& s, uint32_t seed) {
  s.rndState = seed & kRndMask;
}

double nextRandom(State& s) {
  s.rndState = (s.rndState * kRndMultiplier + kRndIncrement) & kRndMask;
  return static_cast<double>(s.rndState) / (kRndMask + 1.0);
}

void tblShuffle(State& s) {
  const int n = std::min<int>(s.listCount, s.entries.size());
  if (n <= 1) return;
  // Fisher-Yates over the entries other than the playing one.
  QVector<int> movable;
  for (int i = 1; i <= n; ++i)
    if (i != s.listPos) movable << i;
  for (int i = movable.size() - 1; i > 0; --i) {
    const int j = std::min(i, static_cast<int>(nextRandom(s) * (i + 1)));
    if (i != j) std::swap(s.entry(movable[i]), s.entry(movable[j]));
  }
}

}  // namespace sorv
