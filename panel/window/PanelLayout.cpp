#include "panel/window/PanelLayout.h"

namespace sorv::panel {

namespace {

const QColor kCyan(0, 255, 255);

bool inside(const HotSpot& spot, double x, double y) {
  return y > spot.top && y < spot.bottom && x > spot.left && x < spot.right;
}

template <std::size_t N>
const HotSpot* firstHit(const std::array<HotSpot, N>& spots, double x, double y) {
  for (const HotSpot& spot : spots)
    if (inside(spot, x, y)) return &spot;
  return nullptr;
}

}  // namespace

const std::array<HotSpot, 7> kUpperHotSpots{{
    {135, 360, 5040, 5520, kClose, QRect(336, 8, 33, 17), QColor(192, 64, 0)},
    {375, 705, 4095, 4545, kPrevious, QRect(272, 24, 33, 25), kCyan},
    {375, 705, 4575, 5025, kPlay, QRect(304, 24, 33, 25), kCyan},
    {375, 705, 5055, 5505, kStop, QRect(336, 24, 33, 25), kCyan},
    {735, 1065, 4095, 4545, kNext, QRect(272, 48, 33, 25), kCyan},
    {735, 1065, 4575, 5025, kPause, QRect(304, 48, 33, 25), kCyan},
    {735, 1065, 5055, 5505, kToBar, QRect(336, 48, 33, 25), QColor(192, 192, 0)},
}};

const std::array<HotSpot, 5> kLowerHotSpots{{
    {1455, 1665, 4915, 5445, kOptions, QRect(320, 96, 45, 17), QColor(0, 192, 0)},
    {1755, 1965, 4915, 5445, kSelection, QRect(320, 116, 45, 17), QColor(0, 192, 192)},
    {2055, 2265, 4915, 5445, kLoop, QRect(), QColor()},
    {2355, 2565, 4915, 5445, kShuffle, QRect(), QColor()},
    {2655, 2865, 4915, 5445, kAbout, QRect(320, 176, 45, 17), QColor(192, 0, 192)},
}};

Hits hitTest(double x, double y) {
  Hits hits;
  hits.upper = firstHit(kUpperHotSpots, x, y);
  if (y > 1455 && x > 4915 && x < 5445) hits.lower = firstHit(kLowerHotSpots, x, y);
  return hits;
}

}  // namespace sorv::panel
