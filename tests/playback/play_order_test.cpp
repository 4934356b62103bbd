// The start delay, previous and next, shuffle, and the advance at the end of a track.
#include <gtest/gtest.h>

#include <QSet>

#include "playback/PlayOrder.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class PlayOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.DbState = -1;
    s.VerNo = "1.14";
    MakeList(s, d, 10);
  }
  // The one-second tick when the engine reports the track finished.
  void TrackEnds() { EndOfTrack(s, d, v); }
  State s;
  FakeDecoder d;
  FakeView v;
  MessageCapture messages;
};

TEST_F(PlayOrderTest, ThreeNextPressesStartOnlyTheLast) {
  s.ListPos = 4;
  s.PlayState = 1;
  for (int press = 0; press < 3; ++press) {
    if (s.StartPending == 1) CancelStart(s, v);
    StepForward(s, d, v);
    v.SetCounter(s.CounterText());
  }
  EXPECT_EQ(v.counterHistory.mid(v.counterHistory.size() - 3),
            QStringList({"0005 / 0010", "0006 / 0010", "0007 / 0010"}));
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(v.startTimerInterval, 2000);
  EXPECT_FALSE(d.called("open /music/05.mp3"));
  StartTimerTick(s, d, v);
  EXPECT_EQ(d.count("play"), 1);
  EXPECT_EQ(d.openPath, "/music/07.mp3");
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_EQ(v.caption, "♪Song 7");
}

TEST_F(PlayOrderTest, StepsStopAtTheEndsButStillRestart) {
  s.ListPos = 10;
  StepForward(s, d, v);
  EXPECT_EQ(s.ListPos, 10);
  EXPECT_EQ(s.StartPending, 1);
  s.ListPos = 1;
  v.time = "0:05 / 1:01";
  StepBack(s, d, v);
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(v.time, "");
  EXPECT_FALSE(v.mPanel.prints().isEmpty());
  StepForward(s, d, v);
  EXPECT_EQ(s.ListPos, 2);
}

TEST_F(PlayOrderTest, LastTrackWithoutLoopGoesIdle) {
  s.ListPos = 10;
  s.PlayState = 1;
  v.time = v.barTime = "1:00 / 1:10";
  TrackEnds();
  EXPECT_TRUE(d.called("close"));
  EXPECT_EQ(s.ListPos, 10);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  ASSERT_EQ(v.mPanel.prints().size(), 1);
  EXPECT_EQ(v.mPanel.prints()[0].text, "Ver.1.14");
  EXPECT_EQ(v.time, "");
  EXPECT_EQ(v.barTime, "");
}

TEST_F(PlayOrderTest, LastTrackWithLoopComesBackToFirst) {
  s.ListPos = 10;
  s.PlayState = 1;
  s.LoopMode = 1;
  TrackEnds();
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(s.StartPending, 1);
  EXPECT_EQ(v.counter, "0001 / 0010");
  EXPECT_EQ(v.barCounter, "0001 / 0010");
  EXPECT_EQ(s.PlayState, 0);
  StartTimerTick(s, d, v);
  EXPECT_EQ(d.openPath, "/music/01.mp3");
  EXPECT_EQ(s.PlayState, 1);
}

TEST_F(PlayOrderTest, EndOfTrackMovesOnAndClearsPanels) {
  s.ListPos = 3;
  s.PlayState = 1;
  s.LyricShow = 1;
  v.aPanel.Print("old");
  TrackEnds();
  EXPECT_EQ(s.ListPos, 4);
  EXPECT_EQ(v.counter, "0004 / 0010");
  EXPECT_TRUE(v.aPanel.prints().isEmpty());
  EXPECT_EQ(v.lyricLabelWrites, 1);
}

TEST_F(PlayOrderTest, MissingNextFileStopsTheAdvance) {
  s.ListPos = 3;
  s.PlayState = 1;
  d.unopenable.insert("/music/04.mp3");
  TrackEnds();
  StartTimerTick(s, d, v);
  EXPECT_EQ(messages.texts, QStringList({"/music/04.mp3が開けません。"}));
  EXPECT_EQ(s.ListPos, 4);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_FALSE(d.called("open /music/05.mp3"));
}

TEST_F(PlayOrderTest, EmptyListWithLoopStaysIdle) {
  s = State();
  s.VerNo = "1.14";
  s.LoopMode = 1;
  TrackEnds();
  EXPECT_EQ(s.ListPos, 0);
  EXPECT_EQ(s.StartPending, 0);
}

TEST_F(PlayOrderTest, ToggleLoopAndShuffle) {
  ToggleLoop(s, v);
  EXPECT_EQ(s.LoopMode, 1);
  ToggleLoop(s, v);
  EXPECT_EQ(s.LoopMode, 0);
  const QVector<QString> before = s.ListFile;
  ToggleShuffle(s, v);
  EXPECT_EQ(s.ShuffleMode, 1);
  EXPECT_NE(s.ListFile, before);
  EXPECT_EQ(v.endTimerDisables, 1);
  EXPECT_TRUE(v.endTimerEnabled);
  const QVector<QString> shuffled = s.ListFile;
  ToggleShuffle(s, v);
  EXPECT_EQ(s.ShuffleMode, 0);
  EXPECT_EQ(s.ListFile, shuffled);
  EXPECT_EQ(v.loopShuffleCalls, 4);
}

// Shuffling keeps the four arrays together, the last entry and the current one in place.
TEST_F(PlayOrderTest, ShuffleInvariantsOverManyLists) {
  for (int n = 0; n <= 40; ++n) {
    for (int pos = 0; pos <= std::min(n, 5); ++pos) {
      State list;
      MakeList(list, d, n);
      for (int i = 1; i <= n; ++i) list.ListInfo[i].fileSize = 1000 + i;
      list.ListPos = static_cast<int16_t>(pos);
      list.RndState = static_cast<uint32_t>(n * 977 + pos);
      const QVector<QString> before = list.ListFile;
      TblShuffle(list);
      ASSERT_EQ(QSet<QString>(list.ListFile.begin(), list.ListFile.end()),
                QSet<QString>(before.begin(), before.end()));
      if (n >= 1) EXPECT_EQ(list.ListFile[n], before[n]);
      if (pos >= 1) EXPECT_EQ(list.ListFile[pos], before[pos]);
      if (n <= 2) EXPECT_EQ(list.ListFile, before);
      for (int i = 1; i <= n; ++i)
        ASSERT_EQ(list.ListInfo[i].fileSize, 1000 + list.ListFile[i].mid(7, 2).toInt());
    }
  }
}

TEST_F(PlayOrderTest, FirstShuffleOfEveryRunIsTheSame) {
  State first, second;
  MakeList(first, d, 20);
  MakeList(second, d, 20);
  const QVector<QString> original = first.ListFile;
  TblShuffle(first);
  TblShuffle(second);
  EXPECT_NE(first.ListFile, original);
  EXPECT_EQ(first.ListFile, second.ListFile);
  // The next shuffle of the same run goes on with the sequence.
  const QVector<QString> once = first.ListFile;
  MakeList(first, d, 20);
  TblShuffle(first);
  EXPECT_NE(first.ListFile, once);
}

}  // namespace
}  // namespace sorv::test
