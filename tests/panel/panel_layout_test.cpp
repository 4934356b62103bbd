// Hit-testing of the skin's hot spots: exclusive bounds, upper block then lower block.
#include <gtest/gtest.h>

#include "panel/window/PanelLayout.h"

namespace sorv::panel {

namespace {

int commandAt(double x, double y) {
  const Hits hits = hitTest(x, y);
  EXPECT_FALSE(hits.upper && hits.lower);
  if (hits.upper) return hits.upper->command;
  if (hits.lower) return hits.lower->command;
  return -100;
}

}  // namespace

TEST(HotSpots, EachSpotAnswersInsideItsRectangle) {
  struct Case {
    double x, y;
    int command;
  };
  for (const Case& c :
       {Case{5280, 250, kClose}, Case{4300, 500, kPrevious}, Case{4800, 500, kPlay},
        Case{5300, 500, kStop}, Case{4300, 900, kNext}, Case{4800, 900, kPause},
        Case{5300, 900, kToBar}, Case{5000, 1500, kOptions}, Case{5000, 1800, kSelection},
        Case{5000, 2100, kLoop}, Case{5000, 2400, kShuffle}, Case{5000, 2700, kAbout}})
    EXPECT_EQ(commandAt(c.x, c.y), c.command) << c.x << "," << c.y;
}

TEST(HotSpots, APointExactlyOnABoundHitsNothing) {
  for (auto [x, y] :
       {std::pair{5040.0, 250.0}, std::pair{5520.0, 250.0}, std::pair{5280.0, 135.0},
        std::pair{5280.0, 360.0}, std::pair{4095.0, 500.0}, std::pair{4545.0, 500.0},
        std::pair{4300.0, 375.0}, std::pair{4300.0, 705.0}, std::pair{4300.0, 1065.0},
        std::pair{4915.0, 1500.0}, std::pair{5445.0, 1500.0}, std::pair{5000.0, 1455.0},
        std::pair{5000.0, 1665.0}, std::pair{5000.0, 2865.0}})
    EXPECT_EQ(commandAt(x, y), -100) << x << "," << y;
  // Just inside the same bounds.
  EXPECT_EQ(commandAt(5041, 136), kClose);
  EXPECT_EQ(commandAt(4916, 1456), kOptions);
  EXPECT_EQ(commandAt(5444, 2864), kAbout);
}

TEST(HotSpots, GapsBetweenSpotsHitNothing) {
  EXPECT_EQ(commandAt(4560, 500), -100);   // between previous and play
  EXPECT_EQ(commandAt(4800, 720), -100);   // between the two rows
  EXPECT_EQ(commandAt(5000, 1700), -100);  // between options and selection
  EXPECT_EQ(commandAt(2000, 500), -100);   // on the title area
}

TEST(HotSpots, HighlightsSitOverTheirButtons) {
  // Every highlight covers the middle of its hot spot, in pixels.
  auto check = [](const HotSpot& spot) {
    if (spot.flash.isEmpty()) return;
    const QPoint middle((spot.left + spot.right) / 2 / kTwipsPerPixel,
                        (spot.top + spot.bottom) / 2 / kTwipsPerPixel);
    EXPECT_TRUE(spot.flash.contains(middle)) << spot.command;
  };
  for (const HotSpot& spot : kUpperHotSpots) check(spot);
  for (const HotSpot& spot : kLowerHotSpots) check(spot);
  EXPECT_TRUE(kLowerHotSpots[2].flash.isEmpty());
  EXPECT_TRUE(kLowerHotSpots[3].flash.isEmpty());
}

TEST(Layout, AreasInPixels) {
  EXPECT_EQ(kMPanel, QRect(8, 8, 257, 65));
  EXPECT_EQ(kAPanel, QRect(8, 92, 301, 105));
  EXPECT_EQ(kCdisp, QRect(273, 9, 61, 13));
  EXPECT_EQ(equalizerBand(9), QRect(178, 219, 7, 87));
  EXPECT_EQ(volumeSlider(1), QRect(248, 219, 9, 87));
}

}  // namespace sorv::panel
