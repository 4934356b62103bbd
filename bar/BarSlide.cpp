// Placing the bar, keeping it on top, and the auto-hide: the pointer watch and the slide.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include "bar/Bar.h"
#include "bar/BarGeometry.h"

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

void Bar::MoveToTop(double twips) {
  top_ = twips;
  const QPoint origin = WorkAreaOrigin();
  move(origin.x(), origin.y() + Px(twips));
}

void Bar::PlaceBar(int16_t hide) {
  // A slide still running would carry the bar away from where it was just put.
  ++placements_;
  aniTimer_.stop();
  MoveToTop(hide != 0 ? kHiddenTop : 0);
  s_.BarHidden = hide;
}

// On an X server without a window manager that honours the stay-on-top hint, a window opened
// later covers the bar; raising it again on each watch tick keeps it on top. Menus and modal
// dialogs are left above it.
void Bar::KeepOnTop() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (!isVisible() || popup_->isVisible()) return;
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
  raise();
}

void Bar::MCheck_Timer() {
  KeepOnTop();
  if (s_.BarHideOpt != 1 || s_.DispMode != 2) return;
  const int y = QCursor::pos().y() - WorkAreaOrigin().y();
  bool slide = false;
  if (s_.BarHidden != 0) {
    slide = y <= 0;
  } else if (!popup_->isVisible()) {
    slide = y > kBarHeight / kWatchTwipsPerPixel;
  }
  if (slide && !aniTimer_.isActive()) aniTimer_.start();
}

void Bar::AniTimer_Timer() {
  if (sliding_) return;
  SlideTo(s_.BarHidden == 0 ? kHiddenTop : 0);
}

void Bar::SlideTo(double target) {
  // The two ends: up to the hidden top, or down to 0.
  const bool up = target < 0;
  if (up ? top_ <= target : top_ >= target) {
    MoveToTop(target);
    aniTimer_.stop();
    s_.BarHidden = target < 0 ? 1 : 0;
    return;
  }
  sliding_ = true;
  const int placement = placements_;
  // The events run between the steps may end the program and take the bar with it.
  const QPointer<Bar> alive(this);
  int top = qRound(top_);
  for (int step = 0; step < kSlideStepsPerTick && top != target; ++step) {
    top += up ? -1 : 1;
    MoveToTop(top);
    QApplication::processEvents();
    if (!alive) return;
    if (placements_ != placement) break;
  }
  sliding_ = false;
}

}  // namespace sorv
