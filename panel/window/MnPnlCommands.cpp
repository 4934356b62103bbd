// The panel's commands: hot spots, btn_Click and the timer ticks.
#include <QCoreApplication>

#include "panel/info/SongInfo.h"
#include "panel/sound/ScopeDisplay.h"
#include "panel/window/MnPnl.h"
#include "panel/window/TimeDisplay.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"

namespace sorv {

using namespace panel;

void MnPnl::ttlbar_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, double x, double y) {
  if (button != Qt::LeftButton) return;
  const Hits hits = HitTest(x, y);
  if (hits.upper) RunHotSpot(*hits.upper);
  if (hits.lower) RunHotSpot(*hits.lower);
}

void MnPnl::RunHotSpot(const HotSpot& spot) {
  if (!spot.flash.isEmpty()) {
    flash_->setGeometry(spot.flash);
    QPalette palette = flash_->palette();
    palette.setColor(QPalette::Window, spot.flashColor);
    flash_->setPalette(palette);
    flash_->raise();
    flash_->show();
  }
  // Lets the highlight be painted before the command runs.
  QCoreApplication::processEvents();
  if (spot.command == kClose)
    v_.CloseProgram();
  else
    btn_Click(spot.command);
}

void MnPnl::btn_Click(int index) {
  if (s_.StartPending == 1) {
    if (index == kPause) {
      ArmHighlightReset();
      return;
    }
    if (index != kToBar) CancelStart(s_, v_);
  }
  if (s_.ListCount == 0 && index != kToBar && index < kOptions) {
    ArmHighlightReset();
    return;
  }
  if (index == kSelection && (s_.DbState == 0 || s_.UseSongDb == 0)) return;
  RunCommand(index);
  ArmHighlightReset();
  v_.SetCounter(s_.CounterText());
}

void MnPnl::RunCommand(int index) {
  switch (index) {
    case kPlay:
      Play();
      break;
    case kStop:
      Stop();
      break;
    case kPause:
      d_.vbmp3_pause();
      break;
    case kToBar:
      s_.DispMode = 2;
      v_.ShowDispMode();
      break;
    case kPrevious:
      StepBack(s_, d_, v_);
      break;
    case kNext:
      StepForward(s_, d_, v_);
      break;
    case kOptions:
      v_.OpenOptions();
      break;
    case kSelection:
      v_.OpenSelection();
      break;
    case kLoop:
    case kLoopLamp:
      ToggleLoop(s_, v_);
      break;
    case kShuffle:
    case kShuffleLamp:
      ToggleShuffle(s_, v_);
      break;
    case kAbout:
      v_.OpenAbout();
      break;
    default:
      break;
  }
}

void MnPnl::Play() {
  int32_t position = 0;
  if (d_.vbmp3_getState(position) == 2) {
    d_.vbmp3_restart();
    return;
  }
  s_.TitleText.clear();
  if (PlayData(s_, d_, v_, s_.ListPos) == -1) {
    s_.PlayState = 1;
    v_.SetCaption(s_.PlayingCaption());
  }
}

void MnPnl::Stop() {
  v_.SetCaption(s_.IdleCaption());
  d_.vbmp3_stop();
  d_.vbmp3_close();
  s_.PlayState = 0;
  ShowIdlePanel(v_.MPanel(), s_.VerNo);
  v_.APanel().Cls();
  ClearLyricWindow(s_, v_);
  v_.SetTime(QString());
}

void MnPnl::ArmHighlightReset() {
  timer4_.start(50);
}

void MnPnl::APanel_Click() {
  if (s_.HasLyrics == 0) return;
  s_.LyricShow = 1;
  v_.OpenLyrics();
}

void MnPnl::MPanel_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
  SeekAt(s_, d_, v_.MPanel(), x, y);
}

void MnPnl::Timer1_Timer() {
  StartTimerTick(s_, d_, v_);
}

void MnPnl::Timer2_Timer() {
  Timer2Tick(s_, d_, v_);
}

void MnPnl::Timer3_Timer() {
  scope_->Timer3_Timer();
}

void MnPnl::Timer4_Timer() {
  flash_->hide();
  timer4_.stop();
}

}  // namespace sorv
