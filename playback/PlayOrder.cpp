#include "playback/PlayOrder.h"

#include <utility>

#include "panel/info/SongInfo.h"
#include "playback/Playback.h"

namespace sorv {

namespace {

constexpr int kStartDelayMs = 2000;

// A 24-bit linear congruential generator: small, fast and the same sequence in every run.
constexpr uint32_t kRndMultiplier = 1140671485u;
constexpr uint32_t kRndIncrement = 12820163u;
constexpr uint32_t kRndMask = 0xFFFFFFu;

void Step(State& s, Decoder& d, PlayerView& v, int delta) {
  const int target = s.ListPos + delta;
  if (target >= 1 && target <= s.ListCount) s.ListPos = static_cast<int16_t>(target);
  ArmStart(s, v);
  ShowListView(s, d, v.MPanel());
  s.PlayState = 0;
  v.SetTime(QString());
}

void SwapEntries(State& s, int a, int b) {
  std::swap(s.ListFile[a], s.ListFile[b]);
  std::swap(s.ListExt[a], s.ListExt[b]);
  std::swap(s.ListTag[a], s.ListTag[b]);
  std::swap(s.ListInfo[a], s.ListInfo[b]);
}

// An index among the first n - 1 entries: the last entry never moves.
int DrawIndex(State& s, int n) {
  return static_cast<int>(NextRandom(s) * (n - 1)) + 1;
}

void ShowListFinished(State& s, PlayerView& v) {
  v.MPanel().Cls();
  v.Mpanel2().Cls();
  v.TimeBar().Cls();
  v.SetCaption(s.IdleCaption());
  s.PlayState = 0;
  ShowIdlePanel(v.MPanel(), s.VerNo);
  v.APanel().Cls();
  ClearLyricWindow(s, v);
  v.SetTime(QString());
  v.SetBarTime(QString());
}

}  // namespace

void ArmStart(State& s, PlayerView& v) {
  v.SetStartTimer(kStartDelayMs);
  s.StartPending = 1;
}

void CancelStart(State& s, PlayerView& v) {
  v.SetStartTimer(0);
  s.StartPending = 0;
}

void StepBack(State& s, Decoder& d, PlayerView& v) {
  Step(s, d, v, -1);
}

void StepForward(State& s, Decoder& d, PlayerView& v) {
  Step(s, d, v, +1);
}

void ToggleLoop(State& s, PlayerView& v) {
  s.LoopMode = s.LoopMode == 0 ? 1 : 0;
  v.LoopShuffleOnOff();
}

void ToggleShuffle(State& s, PlayerView& v) {
  s.ShuffleMode = s.ShuffleMode == 0 ? 1 : 0;
  if (s.ShuffleMode == 1) {
    v.SetEndTimerEnabled(false);
    TblShuffle(s);
    v.SetEndTimerEnabled(true);
  }
  v.LoopShuffleOnOff();
}

double NextRandom(State& s) {
  s.RndState = (s.RndState * kRndMultiplier + kRndIncrement) & kRndMask;
  return static_cast<double>(s.RndState) / (kRndMask + 1.0);
}

void TblShuffle(State& s) {
  const int n = std::min<int>(s.ListCount, s.ListFile.size() - 1);
  if (n <= 1 || s.ListExt.size() <= n || s.ListTag.size() <= n || s.ListInfo.size() <= n) return;
  for (int round = 0; round < 2 * n; ++round) {
    const int a = DrawIndex(s, n);
    const int b = DrawIndex(s, n);
    if (a != b && a != s.ListPos && b != s.ListPos) SwapEntries(s, a, b);
  }
}

void EndOfTrack(State& s, Decoder& d, PlayerView& v) {
  d.vbmp3_close();
  if (s.ListPos < s.ListCount) {
    ++s.ListPos;
  } else if (s.LoopMode == 1 && s.ListCount > 0 && s.ListPos == s.ListCount) {
    s.ListPos = 1;
  } else {
    ShowListFinished(s, v);
    return;
  }
  ArmStart(s, v);
  v.SetCounter(s.CounterText());
  v.SetBarCounter(s.CounterText());
  s.PlayState = 0;
  ClearTimeBar(v.MPanel());
  v.APanel().Cls();
  ClearLyricWindow(s, v);
  v.Mpanel2().Cls();
  v.TimeBar().Cls();
}

void StartTimerTick(State& s, Decoder& d, PlayerView& v) {
  if (s.StartPending == 1 && PlayData(s, d, v, s.ListPos) == -1) {
    s.PlayState = 1;
    v.SetCaption(s.PlayingCaption());
  }
  CancelStart(s, v);
}

}  // namespace sorv
