#include <gtest/gtest.h>

#include <QPainter>

#include "core/PictureArea.h"

namespace sorv {
namespace {

TEST(PictureArea, PrintRecordsTheTextAndMovesOneLineDown) {
  PictureArea area(QSize(100, 50));
  area.setForeColor(QColor(1, 2, 3));
  area.setFontSize(8);
  area.setCurrentX(120);
  area.setCurrentY(30);
  area.print("abc");
  ASSERT_EQ(area.prints().size(), 1);
  EXPECT_EQ(area.prints()[0].text, "abc");
  EXPECT_EQ(area.prints()[0].x, 120);
  EXPECT_EQ(area.prints()[0].color, QColor(1, 2, 3));
  EXPECT_EQ(area.currentX(), 0);
  EXPECT_GT(area.currentY(), 30 + 100);  // an 8-point line is well over 100 twips
  area.cls();
  EXPECT_TRUE(area.prints().isEmpty());
  EXPECT_EQ(area.currentY(), 0);
}

TEST(PictureArea, LineLeavesItsEndPixelAlone) {
  PictureArea area(QSize(101, 64));
  area.setScale(101, 64);
  area.setBackColor(Qt::black);
  area.cls();
  area.line(0, 5, 10, 5, Qt::white);
  EXPECT_EQ(area.image().pixelColor(0, 5), QColor(Qt::white));
  EXPECT_EQ(area.image().pixelColor(9, 5), QColor(Qt::white));
  EXPECT_EQ(area.image().pixelColor(10, 5), QColor(Qt::black));
}

TEST(PictureArea, ClsShowsTheBackgroundPictureAgain) {
  PictureArea area(QSize(10, 10));
  area.setPicture([](QPainter& p) { p.fillRect(0, 0, 10, 10, Qt::green); });
  area.filledBox(0, 0, 150, 150, Qt::red);
  EXPECT_EQ(area.image().pixelColor(5, 5), QColor(Qt::red));
  area.cls();
  EXPECT_EQ(area.image().pixelColor(5, 5), QColor(Qt::green));
}

}  // namespace
}  // namespace sorv
