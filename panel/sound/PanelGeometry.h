#pragma once
// Places the panel's controls from their twip rectangles.
#include <QRect>
#include <cmath>

namespace sorv {

inline constexpr double kPanelTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kPanelTwipsPerPixel));
}

inline QRect twipsRect(double left, double top, double width, double height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace sorv
