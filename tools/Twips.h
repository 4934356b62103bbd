#pragma once
// Window layouts are given in twips: 15 twips to one logical pixel.
#include <QWidget>

namespace sorv {

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

inline void placeTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                      twipsToPixels(height));
}

}  // namespace sorv
