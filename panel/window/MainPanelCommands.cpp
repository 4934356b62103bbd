// The panel's commands: hot spots, runCommand and the timer ticks.
#include <QCoreApplication>

#include "panel/sound/ScopeDisplay.h"
#include "panel/window/MainPanel.h"
#include "panel/window/TimeDisplay.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

using namespace panel;

void MainPanel::titleBarMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, double x,
                                  double y) {
  if (button != Qt::LeftButton) return;
  const Hits hits = hitTest(x, y);
  if (hits.upper) runHotSpot(*hits.upper);
  if (hits.lower) runHotSpot(*hits.lower);
}

void MainPanel::runHotSpot(const HotSpot& spot) {
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
    v_.closeProgram();
  else
    runCommand(spot.command);
}

void MainPanel::runCommand(int index) {
  if (s_.startPending == 1) {
    if (index == kPause) {
      armHighlightReset();
      return;
    }
    if (index != kToBar) cancelStart(s_, v_);
  }
  if (s_.listCount == 0 && index != kToBar && index < kOptions) {
    armHighlightReset();
    return;
  }
  if (index == kSelection && !s_.songDbUsable()) return;
  executeCommand(index);
  armHighlightReset();
  v_.setCounter(s_.counterText());
}

void MainPanel::executeCommand(int index) {
  switch (index) {
    case kPlay:
      play();
      break;
    case kStop:
      stop();
      break;
    case kPause:
      d_.pause();
      break;
    case kToBar:
      s_.dispMode = 2;
      v_.showDispMode();
      break;
    case kPrevious:
      stepBack(s_, d_, v_);
      break;
    case kNext:
      stepForward(s_, d_, v_);
      break;
    case kOptions:
      v_.openOptions();
      break;
    case kSelection:
      v_.openSelection();
      break;
    case kLoop:
    case kLoopLamp:
      toggleLoop(s_, v_);
      break;
    case kShuffle:
    case kShuffleLamp:
      toggleShuffle(s_, v_);
      break;
    case kAbout:
      v_.openAbout();
      break;
    default:
      break;
  }
}

void MainPanel::play() {
  int32_t position = 0;
  if (d_.state(position) == 2) {
    d_.resume();
    return;
  }
  s_.titleText.clear();
  startEntry(s_, d_, v_, s_.listPos);
}

void MainPanel::stop() {
  v_.setCaption(s_.idleCaption());
  d_.stop();
  d_.close();
  s_.playState = 0;
  showIdlePanel(v_.mPanel(), s_.verNo);
  v_.aPanel().cls();
  clearLyricWindow(s_, v_);
  v_.setTime(QString());
}

void MainPanel::armHighlightReset() {
  highlightTimer_.start(50);
}

void MainPanel::aPanelClick() {
  if (s_.hasLyrics == 0) return;
  s_.lyricShow = 1;
  v_.openLyrics();
}

void MainPanel::mPanelMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
  seekAt(s_, d_, v_.mPanel(), x, y);
}

void MainPanel::startDelayTick() {
  startTimerTick(s_, d_, v_);
}

void MainPanel::clockTick() {
  runClockTick(s_, d_, v_);
}

void MainPanel::scopeTick() {
  scope_->scopeTick();
}

void MainPanel::highlightTick() {
  flash_->hide();
  highlightTimer_.stop();
}

}  // namespace sorv
