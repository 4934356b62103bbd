#include "panel/window/TimeDisplay.h"

#include <algorithm>
#include <cmath>

namespace sorv::panel {

namespace {

// The progress bar on mPanel, twips.
constexpr double kBarLeft = 100;
constexpr double kBarRight = 2600;
constexpr double kBarTop = 820;
constexpr double kBarBottom = 920;
constexpr double kBarSpan = kBarRight - kBarLeft;
const QColor kBarColor(0, 168, 168);

QString minutesSeconds(int seconds) {
  return QString::number(seconds / 60) + ":" +
         QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int totalOfCurrent(const State& s) {
  if (s.listPos < 1 || s.listPos > s.entries.size()) return 0;
  return s.entry(s.listPos).stream->length;
}

void drawMainProgress(PictureArea& mPanel, int elapsed, int total) {
  mPanel.setForeColor(kBarColor);
  mPanel.box(kBarLeft, kBarTop, kBarRight, kBarBottom, kBarColor);
  // The engine may report a moment past the length; the bar never runs past its frame.
  const double filled = kBarSpan * std::min(elapsed, total) / total;
  mPanel.filledBox(kBarLeft, kBarTop, kBarLeft + filled, kBarBottom, kBarColor);
}

void drawBarProgress(PictureArea& timeBar, int elapsed, int total) {
  timeBar.cls();
  const double filled =
      static_cast<double>(std::min(elapsed, total)) / total * timeBar.scaleWidth();
  timeBar.filledBox(0, 0, filled, timeBar.scaleHeight(), timeBar.foreColor());
}

}  // namespace

QString timeLabel(int elapsedSeconds, int totalSeconds) {
  return minutesSeconds(std::max(0, elapsedSeconds)) + " / " +
         minutesSeconds(std::max(0, totalSeconds));
}

void runClockTick(Player& player) {
  const State& s = player.state();
  PlayerView& v = player.view();
  if (!player.isPlaying()) {
    v.setTime(QString());
    v.setBarTime(QString());
    return;
  }
  int32_t elapsed = 0;
  const int32_t state = player.engine().state(elapsed);
  v.setTime(timeLabel(elapsed, totalOfCurrent(s)));
  v.setBarTime(v.time());
  v.setBarCounter(v.counter());
  if (state == 0) {
    // The bar stays cleared through the wait before the next track.
    player.trackEnded();
    return;
  }
  const int total = totalOfCurrent(s);
  if (total <= 0) return;
  if (s.dispMode == DisplayMode::Panel)
    drawMainProgress(v.mPanel(), elapsed, total);
  else
    drawBarProgress(v.timeBar(), elapsed, total);
}

bool seekAt(Player& player, double x, double y) {
  if (y < 800 || y > 950 || x < kBarLeft || x > kBarRight || !player.isPlaying()) return false;
  PictureArea& mPanel = player.view().mPanel();
  mPanel.filledBox(kBarLeft, kBarTop, kBarRight, kBarBottom, mPanel.backColor());
  mPanel.box(kBarLeft, kBarTop, kBarRight, kBarBottom, mPanel.foreColor());
  mPanel.filledBox(kBarLeft, kBarTop, x, kBarBottom, mPanel.foreColor());
  const double position = std::floor((x - kBarLeft) / kBarSpan * totalOfCurrent(player.state()));
  player.seek(static_cast<int32_t>(position));
  return true;
}

}  // namespace sorv::panel
