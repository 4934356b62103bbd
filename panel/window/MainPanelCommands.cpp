// The panel's commands: hot spots, runCommand and the timer ticks.
#include <QCoreApplication>

#include "panel/sound/ScopeDisplay.h"
#include "panel/window/MainPanel.h"
#include "panel/window/TimeDisplay.h"
#include "playback/PlayOrder.h"

namespace sorv {

using namespace panel;

namespace {

bool keepsPendingStart(int command) {
  return command == kToBar || command == kOptions || command == kSelection || command == kAbout;
}

}  // namespace

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
    // The bar and the windows opened from the panel leave the chosen entry to start on time.
    if (!keepsPendingStart(index)) player_.cancelStart();
  }
  if (s_.listCount == 0 && index != kToBar && index < kOptions) {
    armHighlightReset();
    return;
  }
  // Without a database the press does nothing, but its highlight still goes out.
  if (index == kSelection && !s_.songDbUsable()) {
    armHighlightReset();
    return;
  }
  executeCommand(index);
  armHighlightReset();
  v_.setCounter(s_.counterText());
}

void MainPanel::executeCommand(int index) {
  switch (index) {
    case kPlay:
      player_.play();
      break;
    case kStop:
      player_.stop();
      break;
    case kPause:
      player_.pause();
      break;
    case kToBar:
      s_.dispMode = DisplayMode::Bar;
      v_.showDispMode();
      break;
    case kPrevious:
      player_.stepBack();
      break;
    case kNext:
      player_.stepForward();
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

void MainPanel::armHighlightReset() {
  highlightTimer_.start(50);
}

void MainPanel::aPanelClick() {
  if (s_.hasLyrics == 0) return;
  s_.lyricShow = 1;
  v_.openLyrics();
}

void MainPanel::mPanelMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
  seekAt(player_, x, y);
}

void MainPanel::startDelayTick() {
  player_.startPendingEntry();
}

void MainPanel::clockTick() {
  runClockTick(player_);
}

void MainPanel::scopeTick() {
  scope_->scopeTick();
}

void MainPanel::highlightTick() {
  flash_->hide();
  highlightTimer_.stop();
}

}  // namespace sorv
