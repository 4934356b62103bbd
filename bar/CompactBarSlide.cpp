// Placing the bar, keeping it on top, and the auto-hide: the pointer watch and the slide.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include "bar/BarGeometry.h"
#include "bar/CompactBar.h"

namespace sorv {

using namespace bar;

namespace {

// The slide moves one twip at a time and lets events run after each step, so other handlers
// stay live during it. Each tick covers this many twips; with the 15 ms tick the 430 twips take
// about 300 ms, where one unpaced loop would finish in a blink on a modern display.
constexpr int kSlideStepsPerTick = 22;
// The watch measures the bar's height in pixels of 14.4 twips: 475.2 twips give row 33.
constexpr double kWatchTwipsPerPixel = 14.4;

}  // namespace

void CompactBar::moveToTop(double twips) {
  top_ = twips;
  const QPoint origin = workAreaOrigin();
  move(origin.x(), origin.y() + px(twips));
}

void CompactBar::placeBar(int16_t hide) {
  // A slide still running would carry the bar away from where it was just put.
  ++placements_;
  aniTimer_.stop();
  if (!canPlaceWindows()) hide = 0;
  moveToTop(hide != 0 ? kHiddenTop : 0);
  s_.barHidden = hide;
}

// On an X server without a window manager that honours the stay-on-top hint, a window opened
// later covers the bar; raising it again on each watch tick keeps it on top. Menus and modal
// dialogs are left above it.
void CompactBar::keepOnTop() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (!isVisible() || popup_->isVisible()) return;
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
  raise();
}

void CompactBar::pointerCheckTick() {
  keepOnTop();
  if (s_.barHideOpt != 1 || s_.dispMode != DisplayMode::Bar || !canPlaceWindows()) return;
  const int y = QCursor::pos().y() - workAreaOrigin().y();
  bool slide = false;
  if (s_.barHidden != 0) {
    slide = y <= 0;
  } else if (!popup_->isVisible()) {
    slide = y > kBarHeight / kWatchTwipsPerPixel;
  }
  if (slide && !aniTimer_.isActive()) aniTimer_.start();
}

void CompactBar::slideTick() {
  if (sliding_) return;
  slideTo(s_.barHidden == 0 ? kHiddenTop : 0);
}

void CompactBar::slideTo(double target) {
  // The two ends: up to the hidden top, or down to 0.
  const bool up = target < 0;
  if (up ? top_ <= target : top_ >= target) {
    moveToTop(target);
    aniTimer_.stop();
    s_.barHidden = target < 0 ? 1 : 0;
    return;
  }
  sliding_ = true;
  const int placement = placements_;
  // The events run between the steps may end the program and take the bar with it.
  const QPointer<CompactBar> alive(this);
  int top = qRound(top_);
  for (int step = 0; step < kSlideStepsPerTick && top != target; ++step) {
    top += up ? -1 : 1;
    moveToTop(top);
    QApplication::processEvents();
    if (!alive) return;
    if (placements_ != placement) break;
  }
  sliding_ = false;
}

}  // namespace sorv
