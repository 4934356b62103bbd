#include "playback/PlayOrder.h"

#include <utility>

#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

namespace {

constexpr int kStartDelayMs = 2000;

// A 24-bit linear congruential generator: small, fast and the same sequence in every run.
constexpr uint32_t kRndMultiplier = 1140671485u;
constexpr uint32_t kRndIncrement = 12820163u;
constexpr uint32_t kRndMask = 0xFFFFFFu;

void step(State& s, AudioEngine& d, PlayerView& v, int delta) {
  const int target = s.listPos + delta;
  if (target >= 1 && target <= s.listCount) s.listPos = static_cast<int16_t>(target);
  armStart(s, v);
  showListView(s, d, v.mPanel());
  s.playState = 0;
  v.setTime(QString());
}

void swapEntries(State& s, int a, int b) {
  std::swap(s.listFile[a], s.listFile[b]);
  std::swap(s.listExt[a], s.listExt[b]);
  std::swap(s.listTag[a], s.listTag[b]);
  std::swap(s.listInfo[a], s.listInfo[b]);
}

// An index among the first n - 1 entries: the last entry never moves.
int drawIndex(State& s, int n) {
  return static_cast<int>(nextRandom(s) * (n - 1)) + 1;
}

void showListFinished(State& s, PlayerView& v) {
  v.mPanel().cls();
  v.mpanel2().cls();
  v.timeBar().cls();
  v.setCaption(s.idleCaption());
  s.playState = 0;
  showIdlePanel(v.mPanel(), s.verNo);
  v.aPanel().cls();
  clearLyricWindow(s, v);
  v.setTime(QString());
  v.setBarTime(QString());
}

}  // namespace

void armStart(State& s, PlayerView& v) {
  v.setStartTimer(kStartDelayMs);
  s.startPending = 1;
}

void cancelStart(State& s, PlayerView& v) {
  v.setStartTimer(0);
  s.startPending = 0;
}

void stepBack(State& s, AudioEngine& d, PlayerView& v) {
  step(s, d, v, -1);
}

void stepForward(State& s, AudioEngine& d, PlayerView& v) {
  step(s, d, v, +1);
}

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

double nextRandom(State& s) {
  s.rndState = (s.rndState * kRndMultiplier + kRndIncrement) & kRndMask;
  return static_cast<double>(s.rndState) / (kRndMask + 1.0);
}

void tblShuffle(State& s) {
  const int n = std::min<int>(s.listCount, s.listFile.size() - 1);
  if (n <= 1 || s.listExt.size() <= n || s.listTag.size() <= n || s.listInfo.size() <= n) return;
  for (int round = 0; round < 2 * n; ++round) {
    const int a = drawIndex(s, n);
    const int b = drawIndex(s, n);
    if (a != b && a != s.listPos && b != s.listPos) swapEntries(s, a, b);
  }
}

void endOfTrack(State& s, AudioEngine& d, PlayerView& v) {
  d.close();
  if (s.listPos < s.listCount) {
    ++s.listPos;
  } else if (s.loopMode == 1 && s.listCount > 0 && s.listPos == s.listCount) {
    s.listPos = 1;
  } else {
    showListFinished(s, v);
    return;
  }
  armStart(s, v);
  v.setCounter(s.counterText());
  v.setBarCounter(s.counterText());
  s.playState = 0;
  clearTimeBar(v.mPanel());
  v.aPanel().cls();
  clearLyricWindow(s, v);
  v.mpanel2().cls();
  v.timeBar().cls();
}

void startTimerTick(State& s, AudioEngine& d, PlayerView& v) {
  if (s.startPending == 1) startEntry(s, d, v, s.listPos);
  cancelStart(s, v);
}

}  // namespace sorv
