#include "playback/Player.h"

#include <algorithm>

#include "playback/NewList.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

namespace {

constexpr int kStartDelayMs = 2000;
constexpr int32_t kEnginePaused = 2;

int32_t lengthOfEntry(const State& s, int pos) {
  return s.hasEntry(pos) ? s.entry(pos).stream->length : 0;
}

}  // namespace

bool Player::start(int32_t pos) {
  cancelStart();
  s_.listPos = pos;
  const bool started = playData(s_, d_, v_, pos) == -1;
  setPlaying(started);
  if (started) v_.setCaption(s_.playingCaption());
  showCounters();
  return started;
}

void Player::play() {
  if (s_.listCount == 0) return;
  if (int32_t position = 0; d_.state(position) == kEnginePaused) {
    cancelStart();
    d_.resume();
    return;
  }
  s_.titleText.clear();
  start(s_.listPos);
}

void Player::pause() {
  if (isPlaying()) d_.pause();
}

void Player::stop() {
  cancelStart();
  // An idle engine is left alone: it may already belong to a tool.
  if (int32_t position = 0; isPlaying() || d_.state(position) != 0) {
    d_.stop();
    d_.close();
  }
  showIdle();
}

void Player::stepBack() {
  step(-1);
}

void Player::stepForward() {
  step(+1);
}

void Player::seek(int32_t seconds) {
  if (!isPlaying()) return;
  d_.seek(std::clamp(seconds, 0, std::max(0, lengthOfEntry(s_, s_.listPos))));
}

void Player::startPendingEntry() {
  if (startPending()) start(s_.listPos);
}

void Player::trackEnded() {
  d_.close();
  if (s_.listPos < s_.listCount) {
    ++s_.listPos;
  } else if (s_.loopMode == 1 && s_.listCount > 0) {
    s_.listPos = 1;
  } else {
    showIdle();
    return;
  }
  setPlaying(false);
  armStart();
  showCounters();
  clearTimeBar(v_.mPanel());
  v_.aPanel().cls();
  clearLyricWindow(s_, v_);
  v_.mpanel2().cls();
  v_.timeBar().cls();
}

bool Player::startNewList(const QStringList& paths, NewListOrder order) {
  if (paths.isEmpty()) return false;
  cancelStart();
  setFileTable(s_, v_, paths);
  if (order == NewListOrder::ShuffledWhenOn && s_.shuffleMode == 1) tblShuffle(s_);
  startLoadedList();
  return true;
}

void Player::startLoadedList() {
  start(1);
}

void Player::armStart() {
  v_.setStartTimer(kStartDelayMs);
  s_.startPending = 1;
}

void Player::cancelStart() {
  if (!startPending()) return;
  v_.setStartTimer(0);
  s_.startPending = 0;
}

void Player::step(int delta) {
  if (s_.listCount == 0) return;
  const int target = s_.listPos + delta;
  if (target >= 1 && target <= s_.listCount) s_.listPos = target;
  setPlaying(false);
  armStart();
  showListView(s_, d_, v_.mPanel());
  showCounters();
  v_.setTime(QString());
  v_.setBarTime(QString());
}

void Player::setPlaying(bool playing) {
  s_.playState = playing ? 1 : 0;
}

void Player::showIdle() {
  setPlaying(false);
  v_.setCaption(s_.idleCaption());
  showIdlePanel(v_.mPanel(), s_.verNo);
  v_.aPanel().cls();
  v_.mpanel2().cls();
  v_.timeBar().cls();
  clearLyricWindow(s_, v_);
  v_.setTime(QString());
  v_.setBarTime(QString());
}

void Player::showCounters() {
  v_.setCounter(s_.counterText());
  v_.setBarCounter(s_.counterText());
}

}  // namespace sorv
