#pragma once
// The bar's sizes in twips (15 to a logical pixel) and the conversion to pixels.
#include <QGuiApplication>
#include <QtGlobal>

namespace sorv::bar {

inline constexpr double kTwipsPerPixel = 15.0;

// A Wayland client can neither place its windows nor read the pointer outside them: there the bar
// is a normal window of its own that never hides at the edge.
inline bool canPlaceWindows() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

inline constexpr double kBarHeight = 475.2;
// Slid up, the top hangs 430 twips above the screen: a 45.2-twip sliver stays visible.
inline constexpr double kHiddenTop = -430;
// Work areas up to this width leave out the logo.
inline constexpr int kNarrowLimit = 12000;

inline constexpr int kLogoWidth = 1995;
inline constexpr int kLogoHeight = 405;
inline constexpr int kSongLineHeight = 405;
inline constexpr int kTrayWidth = 4275;
inline constexpr int kTrayHeight = 435;
inline constexpr int kTrayRightGap = 60;

// Labels and the seek strip inside the tray.
inline constexpr int kTrayItemLeft = 30;
inline constexpr int kTrayItemWidth = 1155;
inline constexpr int kCounterTop = 0;
inline constexpr int kLabelHeight = 165;
inline constexpr int kTimeBarTop = 170;
inline constexpr int kTimeBarHeight = 75;
inline constexpr int kTimeLabelTop = 240;

// The six buttons: previous, next, stop, play, pause, back to the main panel.
inline constexpr int kButtonCount = 6;
inline constexpr int kButtonWidth = 495;
inline constexpr int kButtonHeight = 405;
inline constexpr int kFirstButtonLeft = 1200;
inline constexpr int kButtonPitch = 510;

inline int px(double twips) {
  return qRound(twips / kTwipsPerPixel);
}

// Pixel rows of the bar left on screen when it is slid up.
inline int sliverRows() {
  return px(kBarHeight) + px(kHiddenTop);
}

}  // namespace sorv::bar
