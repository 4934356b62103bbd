// The bar's transport commands, its own start timer and seeking on the strip.
#include <QLabel>

#include "bar/CompactBar.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

namespace {

constexpr int kStartDelayMs = 2000;
constexpr int32_t kEnginePaused = 2;

enum Button { kPrevious, kNext, kStop, kPlay, kPause, kBackToPanel };

}  // namespace

void CompactBar::runCommand(int index) {
  const bool listEmpty = s_.listCount == 0 || s_.listPos == 0;
  if (index >= kPrevious && index <= kPlay && listEmpty) return;
  if (index == kPause && s_.playState == 0) return;
  switch (index) {
    case kPrevious:
      if (s_.listPos > 1) --s_.listPos;
      armStart();
      s_.playState = 0;
      setTime(QString());
      break;
    case kNext:
      if (s_.listPos < s_.listCount) ++s_.listPos;
      armStart();
      setTime(QString());
      s_.playState = 0;
      break;
    case kStop:
      showStopped();
      break;
    case kPlay:
      // A pending choice would otherwise start over what the user plays now.
      disarmStart();
      if (int32_t position = 0; d_.state(position) == kEnginePaused) {
        d_.resume();
      } else {
        s_.titleText.clear();
        if (startEntry(s_, d_, v_, s_.listPos)) showPanelSong();
      }
      break;
    case kPause:
      d_.pause();
      break;
    case kBackToPanel:
      if (s_.startPending == 1) {
        startDelayTimer_.stop();
        startDelayTimer_.setInterval(0);
        startDelayTick();
      }
      s_.dispMode = 1;
      v_.showDispMode();
      if (s_.playState == 1) showPanelSong();
      break;
    default:
      return;
  }
  setCounter(s_.counterText());
}

void CompactBar::showStopped() {
  // Stop means stop: a choice still waiting to start is dropped too.
  disarmStart();
  d_.stop();
  d_.close();
  s_.playState = 0;
  mpanel2().cls();
  timeBar().cls();
  showIdlePanel(v_.mPanel(), s_.verNo);
  v_.aPanel().cls();
  clearLyricWindow(s_, v_);
  v_.setCaption(s_.idleCaption());
  v_.setTime(QString());
}

void CompactBar::showPanelSong() {
  showTrackTitle(s_, v_.mPanel());
  showSongDetail(s_, v_.aPanel());
  v_.setCaption(s_.playingCaption());
}

// Setting the interval again restarts the wait, so a quick series of presses only plays the
// entry reached two seconds after the last one.
void CompactBar::armStart() {
  startDelayTimer_.setInterval(kStartDelayMs);
  startDelayTimer_.start();
  s_.startPending = 1;
}

void CompactBar::disarmStart() {
  if (s_.startPending != 1) return;
  startDelayTimer_.stop();
  startDelayTimer_.setInterval(0);
  s_.startPending = 0;
}

void CompactBar::startDelayTick() {
  if (s_.startPending == 1) startEntry(s_, d_, v_, s_.listPos);
  s_.startPending = 0;
  startDelayTimer_.setInterval(0);
  startDelayTimer_.stop();
}

void CompactBar::timeBarMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
  if (s_.playState != 1) return;
  PictureArea& strip = timeBar();
  strip.cls();
  strip.filledBox(0, 0, x, strip.scaleHeight(), strip.foreColor());
  const bool hasEntry = s_.listPos >= 1 && s_.listPos < s_.listInfo.size();
  const double total = hasEntry ? s_.listInfo[s_.listPos].length : 0;
  const double fraction = qBound(0.0, x / strip.scaleWidth(), 1.0);
  d_.seek(static_cast<int32_t>(fraction * total));
}

}  // namespace sorv
