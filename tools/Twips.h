#pragma once
// Window layouts are given in twips: 15 twips to one logical pixel.
#include <QWidget>

namespace sorv {

inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

inline void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                      TwipsToPixels(height));
}

}  // namespace sorv
