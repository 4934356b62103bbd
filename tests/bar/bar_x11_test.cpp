// The bar on a real X server (its own Xvfb of 1600 x 900, platform xcb): stacking,
// the auto-hide slide as the pointer moves, and the right-click menu. The pointer is moved with
// xdotool and the window's place is read back from the server with xwininfo.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>

#include "bar/CompactBar.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/WaitUntil.h"

namespace sorv::test {
namespace {

QString runTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(10000);
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void movePointer(int x, int y) {
  runTool("xdotool", {"mousemove", QString::number(x), QString::number(y)});
}

// The X window under the pointer.
WId windowUnderPointer() {
  const QString out = runTool("xdotool", {"getmouselocation", "--shell"});
  const auto match = QRegularExpression("WINDOW=(\\d+)").match(out);
  return match.hasMatch() ? match.captured(1).toULongLong() : 0;
}

// A line of xwininfo about the window, e.g. "Absolute upper-left Y".
QString windowInfo(WId window, const QString& field) {
  const QString out = runTool("xwininfo", {"-id", QString::number(window)});
  const auto match = QRegularExpression(QRegularExpression::escape(field) + ":\\s*(.+)").match(out);
  return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// Lets the window system's events arrive until condition holds.
bool waitFor(const std::function<bool()>& condition) {
  return test::waitUntil(condition, 15000);
}

class BarOnX11 : public ::testing::Test {
 protected:
  BarOnX11() {
    s.verNo = "1.14";
    s.dispMode = 2;
    s.barHideOpt = 1;
    bar.pointerCheckTimer().stop();
    bar.showBar();
    bar.placeBar(0);
    waitFor([this] { return windowInfo(bar.winId(), "Map State") == "IsViewable"; });
  }
  void runSlide() {
    for (int ticks = 0; bar.slideTimer().isActive() && ticks < 1000; ++ticks) bar.slideTick();
    QGuiApplication::sync();
  }
  int serverTop() { return windowInfo(bar.winId(), "Absolute upper-left Y").toInt(); }

  State s;
  FakeEngine d;
  FakeView v;
  Player player{s, d, v};
  CompactBar bar{player};
};

TEST_F(BarOnX11, RunsOnTheXServer) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  EXPECT_EQ(bar.width(), 1600);
}

TEST_F(BarOnX11, StaysAboveAWindowOpenedOverIt) {
  QWidget other;
  other.setGeometry(0, 0, 600, 300);
  other.show();
  ASSERT_TRUE(waitFor([&] { return windowInfo(other.winId(), "Map State") == "IsViewable"; }));
  // Mapped later, the other window covers the bar until the bar's watch tick.
  movePointer(300, 10);
  EXPECT_EQ(windowUnderPointer(), other.winId());
  bar.pointerCheckTick();
  QGuiApplication::sync();
  EXPECT_EQ(windowUnderPointer(), bar.winId());
  movePointer(300, 100);
  EXPECT_EQ(windowUnderPointer(), other.winId());
}

TEST_F(BarOnX11, SlidesUpWhenThePointerLeavesAndDownWhenItTouchesTheTop) {
  movePointer(300, 400);
  bar.pointerCheckTick();
  ASSERT_TRUE(bar.slideTimer().isActive());
  runSlide();
  EXPECT_EQ(s.barHidden, 1);
  EXPECT_TRUE(waitFor([this] { return serverTop() == -29; })) << serverTop();

  movePointer(300, 0);
  bar.pointerCheckTick();
  ASSERT_TRUE(bar.slideTimer().isActive());
  runSlide();
  EXPECT_EQ(s.barHidden, 0);
  EXPECT_TRUE(waitFor([this] { return serverTop() == 0; })) << serverTop();
}

TEST_F(BarOnX11, ARightClickOpensTheMenu) {
  movePointer(300, 10);
  runTool("xdotool", {"click", "3"});
  ASSERT_TRUE(waitFor([this] { return bar.popup().isVisible(); }));
  EXPECT_TRUE(
      waitFor([this] { return windowInfo(bar.popup().winId(), "Map State") == "IsViewable"; }));
  // While the menu is open the pointer watch leaves the bar down.
  movePointer(300, 400);
  bar.pointerCheckTick();
  EXPECT_FALSE(bar.slideTimer().isActive());
  bar.popup().hide();
}

}  // namespace
}  // namespace sorv::test
