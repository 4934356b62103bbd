// The bar's transport commands, its own start timer and seeking on the strip.
#include <QLabel>

#include "bar/Bar.h"
#include "panel/info/SongInfo.h"
#include "playback/Playback.h"

namespace sorv {

namespace {

constexpr int kStartDelayMs = 2000;
constexpr int32_t kEnginePaused = 2;

enum Button { kPrevious, kNext, kStop, kPlay, kPause, kBackToPanel };

}  // namespace

void Bar::btn_Click(int index) {
  const bool listEmpty = s_.ListCount == 0 || s_.ListPos == 0;
  if (index >= kPrevious && index <= kPlay && listEmpty) return;
  if (index == kPause && s_.PlayState == 0) return;
  switch (index) {
    case kPrevious:
      if (s_.ListPos > 1) --s_.ListPos;
      ArmStart();
      s_.PlayState = 0;
      SetTime(QString());
      break;
    case kNext:
      if (s_.ListPos < s_.ListCount) ++s_.ListPos;
      ArmStart();
      SetTime(QString());
      s_.PlayState = 0;
      break;
    case kStop:
      ShowStopped();
      break;
    case kPlay:
      // A pending choice would otherwise start over what the user plays now.
      DisarmStart();
      if (int32_t position = 0; d_.vbmp3_getState(position) == kEnginePaused) {
        d_.vbmp3_restart();
      } else {
        s_.TitleText.clear();
        if (PlayData(s_, d_, v_, s_.ListPos) == -1) {
          s_.PlayState = 1;
          ShowPanelSong();
        }
      }
      break;
    case kPause:
      d_.vbmp3_pause();
      break;
    case kBackToPanel:
      if (s_.StartPending == 1) {
        timer1_.stop();
        timer1_.setInterval(0);
        Timer1_Timer();
      }
      s_.DispMode = 1;
      v_.ShowDispMode();
      if (s_.PlayState == 1) ShowPanelSong();
      break;
    default:
      return;
  }
  SetCounter(s_.CounterText());
}

void Bar::ShowStopped() {
  // Stop means stop: a choice still waiting to start is dropped too.
  DisarmStart();
  d_.vbmp3_stop();
  d_.vbmp3_close();
  s_.PlayState = 0;
  Mpanel2().Cls();
  TimeBar().Cls();
  ShowIdlePanel(v_.MPanel(), s_.VerNo);
  v_.APanel().Cls();
  ClearLyricWindow(s_, v_);
  v_.SetCaption(s_.IdleCaption());
  v_.SetTime(QString());
}

void Bar::ShowPanelSong() {
  ShowTrackTitle(s_, v_.MPanel());
  ShowSongDetail(s_, v_.APanel());
  v_.SetCaption(s_.PlayingCaption());
}

// Setting the interval again restarts the wait, so a quick series of presses only plays the
// entry reached two seconds after the last one.
void Bar::ArmStart() {
  timer1_.setInterval(kStartDelayMs);
  timer1_.start();
  s_.StartPending = 1;
}

void Bar::DisarmStart() {
  if (s_.StartPending != 1) return;
  timer1_.stop();
  timer1_.setInterval(0);
  s_.StartPending = 0;
}

void Bar::Timer1_Timer() {
  if (s_.StartPending == 1 && PlayData(s_, d_, v_, s_.ListPos) == -1) s_.PlayState = 1;
  s_.StartPending = 0;
  timer1_.setInterval(0);
  timer1_.stop();
}

void Bar::TimeBar_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double) {
  if (s_.PlayState != 1) return;
  PictureArea& strip = TimeBar();
  strip.Cls();
  strip.FilledBox(0, 0, x, strip.scaleHeight(), strip.foreColor());
  const bool hasEntry = s_.ListPos >= 1 && s_.ListPos < s_.ListInfo.size();
  const double total = hasEntry ? s_.ListInfo[s_.ListPos].length : 0;
  const double fraction = qBound(0.0, x / strip.scaleWidth(), 1.0);
  d_.vbmp3_seek(static_cast<int32_t>(fraction * total));
}

}  // namespace sorv
