#pragma once
// The one owner of playback. Every window, the hand-over, drops and the media keys start, stop,
// pause, step and seek through it, so the panel, the bar, the counters and the caption never
// disagree about what plays.
#include <QStringList>
#include <cstdint>

#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

class Player {
 public:
  Player(State& s, AudioEngine& d, PlayerView& v) : s_(s), d_(d), v_(v) {}
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  State& state() { return s_; }
  AudioEngine& engine() { return d_; }
  PlayerView& view() { return v_; }

  bool isPlaying() const { return s_.playState == 1; }
  bool startPending() const { return s_.startPending == 1; }

  // Makes pos the current entry, starts it at once and shows it on every window; a pending start
  // is dropped. False
  // (after its message) when the entry could not be started.
  bool start(int32_t pos);
  // Resumes a paused track, or else starts the current entry.
  void play();
  // Pauses or resumes what plays; nothing when nothing plays.
  void pause();
  // Stops for good: nothing is left playing, pending or shown as playing, and the engine is free
  // for the tools.
  void stop();
  // Moves one entry back or on and starts it two seconds later, so a quick series of presses
  // only plays the entry reached last.
  void stepBack();
  void stepForward();
  // Jumps to seconds into the playing track, capped at its end.
  void seek(int32_t seconds);
  // Drops a pending start; what plays goes on.
  void cancelStart();
  // The two-second start timer fired (or is cut short): starts the entry reached.
  void startPendingEntry();
  // The engine reported the end of the track: the next entry (or the first with loop on) starts
  // two seconds later, or the list is finished and everything goes idle.
  void trackEnded();
  enum class NewListOrder { AsGiven, ShuffledWhenOn };
  // Replaces the play list with paths and starts its first entry. An empty list replaces
  // nothing: what plays goes on, with its list. False then.
  bool startNewList(const QStringList& paths, NewListOrder order = NewListOrder::AsGiven);
  // Starts the first entry of a play list already read into the state.
  void startLoadedList();

 private:
  void armStart();
  void step(int delta);
  // The one writer of playState.
  void setPlaying(bool playing);
  // Idle caption and panels, times and lyric lines cleared.
  void showIdle();
  void showCounters();

  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
};

}  // namespace sorv
