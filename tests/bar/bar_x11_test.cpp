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

#include "bar/Bar.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/common/WaitUntil.h"

namespace sorv::test {
namespace {

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(10000);
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void MovePointer(int x, int y) {
  RunTool("xdotool", {"mousemove", QString::number(x), QString::number(y)});
}

// The X window under the pointer.
WId WindowUnderPointer() {
  const QString out = RunTool("xdotool", {"getmouselocation", "--shell"});
  const auto match = QRegularExpression("WINDOW=(\\d+)").match(out);
  return match.hasMatch() ? match.captured(1).toULongLong() : 0;
}

// A line of xwininfo about the window, e.g. "Absolute upper-left Y".
QString WindowInfo(WId window, const QString& field) {
  const QString out = RunTool("xwininfo", {"-id", QString::number(window)});
  const auto match = QRegularExpression(QRegularExpression::escape(field) + ":\\s*(.+)").match(out);
  return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// Lets the window system's events arrive until condition holds.
bool WaitFor(const std::function<bool()>& condition) {
  return test::WaitUntil(condition, 15000);
}

class BarOnX11 : public ::testing::Test {
 protected:
  BarOnX11() {
    s.VerNo = "1.14";
    s.DispMode = 2;
    s.BarHideOpt = 1;
    bar.MCheck().stop();
    bar.ShowBar();
    bar.PlaceBar(0);
    WaitFor([this] { return WindowInfo(bar.winId(), "Map State") == "IsViewable"; });
  }
  void RunSlide() {
    for (int ticks = 0; bar.AniTimer().isActive() && ticks < 1000; ++ticks) bar.AniTimer_Timer();
    QGuiApplication::sync();
  }
  int ServerTop() { return WindowInfo(bar.winId(), "Absolute upper-left Y").toInt(); }

  State s;
  FakeDecoder d;
  FakeView v;
  Bar bar{s, d, v};
};

TEST_F(BarOnX11, RunsOnTheXServer) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  EXPECT_EQ(bar.width(), 1600);
}

TEST_F(BarOnX11, StaysAboveAWindowOpenedOverIt) {
  QWidget other;
  other.setGeometry(0, 0, 600, 300);
  other.show();
  ASSERT_TRUE(WaitFor([&] { return WindowInfo(other.winId(), "Map State") == "IsViewable"; }));
  // Mapped later, the other window covers the bar until the bar's watch tick.
  MovePointer(300, 10);
  EXPECT_EQ(WindowUnderPointer(), other.winId());
  bar.MCheck_Timer();
  QGuiApplication::sync();
  EXPECT_EQ(WindowUnderPointer(), bar.winId());
  MovePointer(300, 100);
  EXPECT_EQ(WindowUnderPointer(), other.winId());
}

TEST_F(BarOnX11, SlidesUpWhenThePointerLeavesAndDownWhenItTouchesTheTop) {
  MovePointer(300, 400);
  bar.MCheck_Timer();
  ASSERT_TRUE(bar.AniTimer().isActive());
  RunSlide();
  EXPECT_EQ(s.BarHidden, 1);
  EXPECT_TRUE(WaitFor([this] { return ServerTop() == -29; })) << ServerTop();

  MovePointer(300, 0);
  bar.MCheck_Timer();
  ASSERT_TRUE(bar.AniTimer().isActive());
  RunSlide();
  EXPECT_EQ(s.BarHidden, 0);
  EXPECT_TRUE(WaitFor([this] { return ServerTop() == 0; })) << ServerTop();
}

TEST_F(BarOnX11, ARightClickOpensTheMenu) {
  MovePointer(300, 10);
  RunTool("xdotool", {"click", "3"});
  ASSERT_TRUE(WaitFor([this] { return bar.popup().isVisible(); }));
  EXPECT_TRUE(
      WaitFor([this] { return WindowInfo(bar.popup().winId(), "Map State") == "IsViewable"; }));
  // While the menu is open the pointer watch leaves the bar down.
  MovePointer(300, 400);
  bar.MCheck_Timer();
  EXPECT_FALSE(bar.AniTimer().isActive());
  bar.popup().hide();
}

}  // namespace
}  // namespace sorv::test
