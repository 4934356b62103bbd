#include "panel/window/TimeDisplay.h"

#include <algorithm>
#include <cmath>

#include "playback/PlayOrder.h"

namespace sorv::panel {

namespace {

// The progress bar on MPanel, twips.
constexpr double kBarLeft = 100;
constexpr double kBarRight = 2600;
constexpr double kBarTop = 820;
constexpr double kBarBottom = 920;
constexpr double kBarSpan = kBarRight - kBarLeft;
const QColor kBarColor(0, 168, 168);

QString MinutesSeconds(int seconds) {
  return QString::number(seconds / 60) + ":" +
         QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int TotalOfCurrent(const State& s) {
  if (s.ListPos < 1 || s.ListPos >= s.ListInfo.size()) return 0;
  return s.ListInfo[s.ListPos].length;
}

void DrawMainProgress(PictureArea& mPanel, int elapsed, int total) {
  mPanel.setForeColor(kBarColor);
  mPanel.Box(kBarLeft, kBarTop, kBarRight, kBarBottom, kBarColor);
  // The engine may report a moment past the length; the bar never runs past its frame.
  const double filled = kBarSpan * std::min(elapsed, total) / total;
  mPanel.FilledBox(kBarLeft, kBarTop, kBarLeft + filled, kBarBottom, kBarColor);
}

void DrawBarProgress(PictureArea& timeBar, int elapsed, int total) {
  timeBar.Cls();
  const double filled =
      static_cast<double>(std::min(elapsed, total)) / total * timeBar.scaleWidth();
  timeBar.FilledBox(0, 0, filled, timeBar.scaleHeight(), timeBar.foreColor());
}

}  // namespace

QString TimeLabel(int elapsedSeconds, int totalSeconds) {
  return MinutesSeconds(std::max(0, elapsedSeconds)) + " / " +
         MinutesSeconds(std::max(0, totalSeconds));
}

void Timer2Tick(State& s, Decoder& d, PlayerView& v) {
  if (s.PlayState != 1) {
    v.SetTime(QString());
    v.SetBarTime(QString());
    return;
  }
  int32_t elapsed = 0;
  const int32_t state = d.vbmp3_getState(elapsed);
  v.SetTime(TimeLabel(elapsed, TotalOfCurrent(s)));
  v.SetBarTime(v.Time());
  v.SetBarCounter(v.Counter());
  if (state == 0) {
    EndOfTrack(s, d, v);
    // Idle at the end of the list: nothing more to draw.
    if (s.StartPending != 1) return;
  }
  const int total = TotalOfCurrent(s);
  if (total <= 0) return;
  if (s.DispMode == 1)
    DrawMainProgress(v.MPanel(), elapsed, total);
  else
    DrawBarProgress(v.TimeBar(), elapsed, total);
}

bool SeekAt(State& s, Decoder& d, PictureArea& mPanel, double x, double y) {
  if (y < 800 || y > 950 || x < kBarLeft || x > kBarRight || s.PlayState != 1) return false;
  mPanel.FilledBox(kBarLeft, kBarTop, kBarRight, kBarBottom, mPanel.backColor());
  mPanel.Box(kBarLeft, kBarTop, kBarRight, kBarBottom, mPanel.foreColor());
  mPanel.FilledBox(kBarLeft, kBarTop, x, kBarBottom, mPanel.foreColor());
  const double position = std::floor((x - kBarLeft) / kBarSpan * TotalOfCurrent(s));
  d.vbmp3_seek(static_cast<int32_t>(position));
  return true;
}

}  // namespace sorv::panel
