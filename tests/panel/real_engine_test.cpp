// The panel over the real engine with the dummy audio driver: a list of three short fixtures
// plays through. The panel's ticks are called directly; the test waits only on the engine's
// own state, with a bound.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <functional>

#include "decoder/Vbmp3Engine.h"
#include "panel/window/MnPnl.h"
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
    ASSERT_NE(engine.vbmp3_init(), 0);
    s.VerNo = QStringLiteral("1.14");
    s.DispMode = 1;
    panel = std::make_unique<MnPnl>(s, engine, v);
    v.Attach(*panel);
    panel->Timer2().stop();
    panel->Timer3().stop();
    const QStringList files{Fixture("silence_1s.mp3"), Fixture("tone440_short.rmp"),
                            Fixture("tone1k_mpeg2_mono.mp3")};
    s.ResizeList(files.size());
    for (int i = 1; i <= files.size(); ++i) {
      s.ListFile[i] = files[i - 1];
      s.ListExt[i] = files[i - 1].right(3).toLower();
    }
    s.ListCount = 3;
  }
  void TearDown() override {
    panel.reset();
    engine.vbmp3_free();
  }

  // Runs the one-second tick until the track has ended and the panel has reacted.
  bool TickUntilTrackEnds() {
    return test::WaitUntil([&] {
      panel->Timer2_Timer();
      return s.PlayState == 0;
    });
  }

  State s;
  Vbmp3Engine engine;
  PanelTestView v;
  MessageCapture messages;
  std::unique_ptr<MnPnl> panel;
};

TEST_F(RealEngine, AListPlaysThroughToIdle) {
  s.ListPos = 1;
  panel->btn_Click(0);
  ASSERT_EQ(s.PlayState, 1) << messages.texts.join("|").toStdString();
  for (int next = 2; next <= 3; ++next) {
    ASSERT_TRUE(TickUntilTrackEnds());
    EXPECT_EQ(s.ListPos, next);
    EXPECT_EQ(s.StartPending, 1);
    EXPECT_EQ(panel->StartTimerInterval(), 2000);
    EXPECT_EQ(panel->Counter(), QStringLiteral("%1 / 0003").arg(next, 4, 10, QChar('0')));
    panel->Timer1_Timer();
    ASSERT_EQ(s.PlayState, 1);
    int32_t position = 0;
    EXPECT_NE(engine.vbmp3_getState(position), 0);
  }
  ASSERT_TRUE(TickUntilTrackEnds());
  EXPECT_EQ(s.ListPos, 3);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(panel->Time(), QString());
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngine, WithLoopTheLastEntryLeadsBackToTheFirst) {
  s.LoopMode = 1;
  s.ListPos = 3;
  panel->btn_Click(0);
  ASSERT_EQ(s.PlayState, 1);
  ASSERT_TRUE(TickUntilTrackEnds());
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(panel->Counter(), "0001 / 0003");
  panel->Timer1_Timer();
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.TitleText);
}

}  // namespace sorv::test
