// The start delay, previous and next, shuffle, and the advance at the end of a track.
#include <gtest/gtest.h>

#include <QSet>

#include "playback/PlayOrder.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class PlayOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dbState = -1;
    s.verNo = "1.14";
    makeList(s, d, 10);
  }
  // The one-second tick when the engine reports the track finished.
  void trackEnds() { endOfTrack(s, d, v); }
  State s;
  FakeEngine d;
  FakeView v;
  MessageCapture messages;
};

TEST_F(PlayOrderTest, ThreeNextPressesStartOnlyTheLast) {
  s.listPos = 4;
  s.playState = 1;
  for (int press = 0; press < 3; ++press) {
    if (s.startPending == 1) cancelStart(s, v);
    stepForward(s, d, v);
    v.setCounter(s.counterText());
  }
  EXPECT_EQ(v.counterHistory.mid(v.counterHistory.size() - 3),
            QStringList({"0005 / 0010", "0006 / 0010", "0007 / 0010"}));
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(v.startTimerInterval, 2000);
  EXPECT_FALSE(d.called("open /music/05.mp3"));
  startTimerTick(s, d, v);
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(d.openPath, "/music/07.mp3");
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_EQ(v.caption, "♪Song 7");
}

TEST_F(PlayOrderTest, StepsStopAtTheEndsButStillRestart) {
  s.listPos = 10;
  stepForward(s, d, v);
  EXPECT_EQ(s.listPos, 10);
  EXPECT_EQ(s.startPending, 1);
  s.listPos = 1;
  v.timeText = "0:05 / 1:01";
  stepBack(s, d, v);
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(v.timeText, "");
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());
  stepForward(s, d, v);
  EXPECT_EQ(s.listPos, 2);
}

TEST_F(PlayOrderTest, LastTrackWithoutLoopGoesIdle) {
  s.listPos = 10;
  s.playState = 1;
  v.timeText = v.barTime = "1:00 / 1:10";
  trackEnds();
  EXPECT_TRUE(d.called("close"));
  EXPECT_EQ(s.listPos, 10);
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  ASSERT_EQ(v.mPanelArea.prints().size(), 1);
  EXPECT_EQ(v.mPanelArea.prints()[0].text, "Ver.1.14");
  EXPECT_EQ(v.timeText, "");
  EXPECT_EQ(v.barTime, "");
}

TEST_F(PlayOrderTest, LastTrackWithLoopComesBackToFirst) {
  s.listPos = 10;
  s.playState = 1;
  s.loopMode = 1;
  trackEnds();
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.startPending, 1);
  EXPECT_EQ(v.counterText, "0001 / 0010");
  EXPECT_EQ(v.barCounter, "0001 / 0010");
  EXPECT_EQ(s.playState, 0);
  startTimerTick(s, d, v);
  EXPECT_EQ(d.openPath, "/music/01.mp3");
  EXPECT_EQ(s.playState, 1);
}

TEST_F(PlayOrderTest, EndOfTrackMovesOnAndClearsPanels) {
  s.listPos = 3;
  s.playState = 1;
  s.lyricShow = 1;
  v.aPanelArea.print("old");
  trackEnds();
  EXPECT_EQ(s.listPos, 4);
  EXPECT_EQ(v.counterText, "0004 / 0010");
  EXPECT_TRUE(v.aPanelArea.prints().isEmpty());
  EXPECT_EQ(v.lyricLabelWrites, 1);
}

TEST_F(PlayOrderTest, MissingNextFileStopsTheAdvance) {
  s.listPos = 3;
  s.playState = 1;
  d.unopenable.insert("/music/04.mp3");
  trackEnds();
  startTimerTick(s, d, v);
  EXPECT_EQ(messages.texts, QStringList({"/music/04.mp3が開けません。"}));
  EXPECT_EQ(s.listPos, 4);
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_FALSE(d.called("open /music/05.mp3"));
}

TEST_F(PlayOrderTest, EmptyListWithLoopStaysIdle) {
  s = State();
  s.verNo = "1.14";
  s.loopMode = 1;
  trackEnds();
  EXPECT_EQ(s.listPos, 0);
  EXPECT_EQ(s.startPending, 0);
}

TEST_F(PlayOrderTest, ToggleLoopAndShuffle) {
  toggleLoop(s, v);
  EXPECT_EQ(s.loopMode, 1);
  toggleLoop(s, v);
  EXPECT_EQ(s.loopMode, 0);
  const QVector<QString> before = s.listFile;
  toggleShuffle(s, v);
  EXPECT_EQ(s.shuffleMode, 1);
  EXPECT_NE(s.listFile, before);
  EXPECT_EQ(v.endTimerDisables, 1);
  EXPECT_TRUE(v.endTimerEnabled);
  const QVector<QString> shuffled = s.listFile;
  toggleShuffle(s, v);
  EXPECT_EQ(s.shuffleMode, 0);
  EXPECT_EQ(s.listFile, shuffled);
  EXPECT_EQ(v.loopShuffleCalls, 4);
}

// Shuffling keeps the four arrays together, the last entry and the current one in place.
TEST_F(PlayOrderTest, ShuffleInvariantsOverManyLists) {
  for (int n = 0; n <= 40; ++n) {
    for (int pos = 0; pos <= std::min(n, 5); ++pos) {
      State list;
      makeList(list, d, n);
      for (int i = 1; i <= n; ++i) list.listInfo[i].fileSize = 1000 + i;
      list.listPos = static_cast<int16_t>(pos);
      list.rndState = static_cast<uint32_t>(n * 977 + pos);
      const QVector<QString> before = list.listFile;
      tblShuffle(list);
      ASSERT_EQ(QSet<QString>(list.listFile.begin(), list.listFile.end()),
                QSet<QString>(before.begin(), before.end()));
      if (n >= 1) {
        EXPECT_EQ(list.listFile[n], before[n]);
      }
      if (pos >= 1) {
        EXPECT_EQ(list.listFile[pos], before[pos]);
      }
      if (n <= 2) {
        EXPECT_EQ(list.listFile, before);
      }
      for (int i = 1; i <= n; ++i)
        ASSERT_EQ(list.listInfo[i].fileSize, 1000 + list.listFile[i].mid(7, 2).toInt());
    }
  }
}

TEST_F(PlayOrderTest, FirstShuffleOfEveryRunIsTheSame) {
  State first, second;
  makeList(first, d, 20);
  makeList(second, d, 20);
  const QVector<QString> original = first.listFile;
  tblShuffle(first);
  tblShuffle(second);
  EXPECT_NE(first.listFile, original);
  EXPECT_EQ(first.listFile, second.listFile);
  // The next shuffle of the same run goes on with the sequence.
  const QVector<QString> once = first.listFile;
  makeList(first, d, 20);
  tblShuffle(first);
  EXPECT_NE(first.listFile, once);
}

}  // namespace
}  // namespace sorv::test
