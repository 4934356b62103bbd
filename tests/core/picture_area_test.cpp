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
  // A filled box over a text forgets its record as cls() does; what it leaves uncovered stays,
  // an empty print (which shows nothing) does not.
  area.print("top");
  area.setCurrentY(600);
  area.print("bottom");
  area.print(QString());
  area.filledBox(0, 500, area.scaleWidth(), area.scaleHeight(), Qt::black);
  ASSERT_EQ(area.prints().size(), 1);
  EXPECT_EQ(area.prints()[0].text, "top");
  area.setDevicePixelRatio(2);  // draws the kept text again from its record
  EXPECT_EQ(area.prints()[0].text, "top");
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

// The same drawing, part of it painted over: a title, a bar with its frame redrawn over a fill,
// a line.
void drawScene(PictureArea& area) {
  area.setBackColor(Qt::black);
  area.cls();
  area.setForeColor(QColor(100, 240, 240));
  area.setCurrentX(30);
  area.setCurrentY(15);
  area.print(QStringLiteral("♪星空のオーバーチュア"));
  area.filledBox(0, 400, 1500, 750, Qt::blue);
  for (int filled = 100; filled <= 1200; filled += 100) {
    area.box(90, 500, 1300, 600, Qt::cyan);
    area.filledBox(90, 500, filled, 600, Qt::cyan);
  }
  area.line(0, 150 + 7.5, 1500, 150 + 7.5, Qt::white);
}

// At ratio 2 the image has twice the pixels each way; layout and mouse positions stay in logical
// pixels; a line is one device pixel; and a change of ratio draws everything again as drawing
// at the new ratio from the start would.
TEST(PictureArea, ARatioDoublesThePixelsAndLinesStayOneDevicePixel) {
  PictureArea direct(QSize(100, 50));
  direct.setDevicePixelRatio(2);
  drawScene(direct);
  EXPECT_EQ(direct.image().size(), QSize(200, 100));
  EXPECT_EQ(direct.image().devicePixelRatio(), 2);
  EXPECT_EQ(direct.pixelSize(), QSize(100, 50));
  EXPECT_EQ(direct.fromPixels(QPointF(50, 25)), QPointF(750, 375));
  // 157.5 twips are 10.5 logical pixels: device row 21 alone.
  EXPECT_EQ(direct.image().pixelColor(60, 21), QColor(Qt::white));
  EXPECT_EQ(direct.image().pixelColor(60, 20), QColor(Qt::black));
  EXPECT_EQ(direct.image().pixelColor(60, 22), QColor(Qt::black));

  PictureArea changed(QSize(100, 50));
  drawScene(changed);
  EXPECT_EQ(changed.currentY(), direct.currentY()) << "line height depends on the ratio";
  EXPECT_EQ(changed.image().pixelColor(30, 10), QColor(Qt::white));
  changed.setDevicePixelRatio(2);
  EXPECT_TRUE(changed.image() == direct.image()) << "drawn again unlike drawn at ratio 2";
  changed.setDevicePixelRatio(1);
  PictureArea once(QSize(100, 50));
  drawScene(once);
  EXPECT_TRUE(changed.image() == once.image());
}

}  // namespace
}  // namespace sorv
