#pragma once
// Places the panel's controls from their twip rectangles.
#include <QRect>
#include <cmath>

namespace sorv {

inline constexpr double kPanelTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kPanelTwipsPerPixel));
}

inline QRect TwipsRect(double left, double top, double width, double height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace sorv
