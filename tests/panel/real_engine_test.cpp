// The panel over the real engine with the dummy audio driver: a list of three short fixtures
// plays through. The panel's ticks are called directly; the test waits only on the engine's
// own state, with a bound.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <functional>

#include "decoder/ThreadedAudioEngine.h"
#include "panel/window/MainPanel.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
#include "tests/panel/PanelTestView.h"

namespace sorv::test {

namespace {

QString Fixture(const char* name) {
  return qEnvironmentVariable("SORV_SOURCE_DIR") + "/tests/fixtures/" + QString::fromLatin1(name);
}

}  // namespace

class RealEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(engine.init(), 0);
    s.verNo = QStringLiteral("1.14");
    s.dispMode = 1;
    panel = std::make_unique<MainPanel>(player);
    v.attach(*panel);
    panel->clockTimer().stop();
    panel->scopeTimer().stop();
    const QStringList files{Fixture("silence_1s.mp3"), Fixture("tone440_short.rmp"),
                            Fixture("tone1k_mpeg2_mono.mp3")};
    s.resizeList(files.size());
    for (int i = 1; i <= files.size(); ++i) {
      s.entry(i).file = files[i - 1];
      s.entry(i).extension = files[i - 1].right(3).toLower();
    }
    s.listCount = 3;
  }
  void TearDown() override {
    panel.reset();
    engine.release();
  }

  // Runs the one-second tick until the track has ended and the panel has reacted.
  bool tickUntilTrackEnds() {
    return test::waitUntil([&] {
      panel->clockTick();
      return s.playState == 0;
    });
  }

  State s;
  ThreadedAudioEngine engine;
  PanelTestView v;
  Player player{s, engine, v};
  MessageCapture messages;
  std::unique_ptr<MainPanel> panel;
};

TEST_F(RealEngine, AListPlaysThroughToIdle) {
  s.listPos = 1;
  panel->runCommand(0);
  ASSERT_EQ(s.playState, 1) << messages.texts.join("|").toStdString();
  for (int next = 2; next <= 3; ++next) {
    ASSERT_TRUE(tickUntilTrackEnds());
    EXPECT_EQ(s.listPos, next);
    EXPECT_EQ(s.startPending, 1);
    EXPECT_EQ(panel->startTimerInterval(), 2000);
    EXPECT_EQ(panel->counter(), QStringLiteral("%1 / 0003").arg(next, 4, 10, QChar('0')));
    panel->startDelayTick();
    ASSERT_EQ(s.playState, 1);
    int32_t position = 0;
    EXPECT_NE(engine.state(position), 0);
  }
  ASSERT_TRUE(tickUntilTrackEnds());
  EXPECT_EQ(s.listPos, 3);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(panel->time(), QString());
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngine, WithLoopTheLastEntryLeadsBackToTheFirst) {
  s.loopMode = 1;
  s.listPos = 3;
  panel->runCommand(0);
  ASSERT_EQ(s.playState, 1);
  ASSERT_TRUE(tickUntilTrackEnds());
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(panel->counter(), "0001 / 0003");
  panel->startDelayTick();
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.titleText);
}

}  // namespace sorv::test
