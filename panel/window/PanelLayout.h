#pragma once
// Where everything sits on the main panel, and which hot spot of the skin a point hits. Window
// coordinates are twips (15 to a pixel) unless a name says pixels.
#include <QColor>
#include <QRect>
#include <array>
#include <optional>

namespace sorv::panel {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kWidthTwips = 5655;
inline constexpr int kHeightTwips = 4935;
inline constexpr int kSkinHeightTwips = 4950;

// Twips to the nearest whole pixel.
constexpr int toPixels(int twips) {
  return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}
// A rectangle in twips as left, top, width, height, in pixels.
constexpr QRect pixels(int left, int top, int width, int height) {
  return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline constexpr QRect kMPanel = pixels(120, 120, 3855, 975);
inline constexpr QRect kTdisp = pixels(2880, 780, 975, 195);
inline constexpr QRect kCdisp = pixels(4095, 135, 915, 195);
inline constexpr QRect kAPanel = pixels(120, 1380, 4515, 1575);
inline constexpr QRect kLoopLampRect = pixels(4800, 2040, 675, 255);
inline constexpr QRect kShuffleLampRect = pixels(4800, 2340, 675, 255);
inline constexpr QRect kSpectrum = pixels(4035, 3075, 1500, 960);
inline constexpr QRect kWave = pixels(4035, 4065, 1500, 750);
constexpr QRect equalizerBand(int band) {
  return pixels(510 + 240 * band, 3285, 105, 1300);
}
constexpr QRect equalizerPreset(int index) {
  return pixels(2880, 3240 + 240 * index, 255, 195);
}
constexpr QRect volumeSlider(int channel) {
  return pixels(channel == 0 ? 3360 : 3720, 3285, 135, 1300);
}

// Command numbers of runCommand.
enum Command : int {
  kPlay = 0,
  kStop = 1,
  kPause = 2,
  kToBar = 3,
  kPrevious = 4,
  kNext = 5,
  kOptions = 10,
  kSelection = 11,
  kLoop = 12,
  kShuffle = 13,
  kAbout = 14,
  kLoopLamp = 22,
  kShuffleLamp = 23,
};
// The close hot spot is not a command of runCommand.
inline constexpr int kClose = -1;

struct HotSpot {
  int top, bottom, left, right;  // twips, all exclusive
  int command;                   // kClose or a Command
  QRect flash;                   // pixels; empty: no highlight
  QColor flashColor;
};

// The upper block (close and the six transport buttons), then the lower block.
extern const std::array<HotSpot, 7> kUpperHotSpots;
extern const std::array<HotSpot, 5> kLowerHotSpots;

// The hot spots a press at (x, y) twips hits: at most one of the upper block, then at most one of
// the lower block, in the order they are to run.
struct Hits {
  const HotSpot* upper = nullptr;
  const HotSpot* lower = nullptr;
};
Hits hitTest(double x, double y);

}  // namespace sorv::panel
