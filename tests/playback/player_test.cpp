// The player: the start delay, previous and next, play, pause and stop, new lists, the advance
// at the end of a track, and shuffle.
#include <gtest/gtest.h>

#include <QSet>

#include "playback/PlayOrder.h"
#include "playback/Player.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/ListFiles.h"
#include "tests/common/MessageCapture.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

class PlayerTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    s.verNo = "1.14";
    makeList(s, d, 10);
  }
  // The one-second tick when the engine reports the track finished.
  void trackEnds() { player.trackEnded(); }
  // Starts the current entry as a press of play does.
  void playCurrent() {
    player.play();
    ASSERT_TRUE(player.isPlaying());
    d.clearCalls();
  }
};

TEST_F(PlayerTest, StepsStopAtTheEndsButStillRestart) {
  s.listPos = 10;
  player.stepForward();
  EXPECT_EQ(s.listPos, 10);
  EXPECT_EQ(s.startPending, 1);
  s.listPos = 1;
  v.timeText = "0:05 / 1:01";
  player.stepBack();
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(v.timeText, "");
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());
  player.stepForward();
  EXPECT_EQ(s.listPos, 2);
}

// Every track start repaints the same places, so what the areas record of their texts stays as
// long as what they show, however many tracks went by.
TEST_F(PlayerTest, TenThousandTrackChangesKeepTheRecordOfPrintedTextFlat) {
  playCurrent();
  const auto recorded = [&] {
    return v.mPanelArea.prints().size() + v.aPanelArea.prints().size() +
           v.mpanel2Area.prints().size() + v.timeBarArea.prints().size();
  };
  const auto afterOne = recorded();
  for (int change = 0; change < 10000; ++change) {
    change % 2 ? player.stepBack() : player.stepForward();
    player.startPendingEntry();
  }
  ASSERT_TRUE(player.isPlaying());
  EXPECT_EQ(recorded(), afterOne);
}

TEST_F(PlayerTest, EndOfTrackMovesOnAndClearsPanels) {
  s.listPos = 3;
  playCurrent();
  s.lyricShow = 1;
  v.aPanelArea.print("old");
  trackEnds();
  EXPECT_EQ(s.listPos, 4);
  EXPECT_EQ(v.counterText, "0004 / 0010");
  EXPECT_TRUE(v.aPanelArea.prints().isEmpty());
  EXPECT_EQ(v.lyricLabelWrites, 1);
}

TEST_F(PlayerTest, EmptyListWithLoopStaysIdle) {
  s = State();
  s.verNo = "1.14";
  s.loopMode = 1;
  trackEnds();
  EXPECT_EQ(s.listPos, 0);
  EXPECT_EQ(s.startPending, 0);
}

TEST_F(PlayerTest, ToggleLoopAndShuffle) {
  toggleLoop(s, v);
  EXPECT_EQ(s.loopMode, 1);
  toggleLoop(s, v);
  EXPECT_EQ(s.loopMode, 0);
  const QStringList before = listFiles(s);
  toggleShuffle(s, v);
  EXPECT_EQ(s.shuffleMode, 1);
  EXPECT_NE(listFiles(s), before);
  EXPECT_EQ(v.endTimerDisables, 1);
  EXPECT_TRUE(v.endTimerEnabled);
  const QStringList shuffled = listFiles(s);
  toggleShuffle(s, v);
  EXPECT_EQ(s.shuffleMode, 0);
  EXPECT_EQ(listFiles(s), shuffled);
  EXPECT_EQ(v.loopShuffleCalls, 4);
}

// Shuffling keeps the four arrays together, the last entry and the current one in place.
TEST_F(PlayerTest, ShuffleInvariantsOverManyLists) {
  for (int n = 0; n <= 40; ++n) {
    for (int pos = 0; pos <= std::min(n, 5); ++pos) {
      State list;
      makeList(list, d, n);
      for (int i = 1; i <= n; ++i) list.entry(i).stream->fileSize = 1000 + i;
      list.listPos = pos;
      list.rndState = static_cast<uint32_t>(n * 977 + pos);
      const QStringList before = listFiles(list);
      tblShuffle(list);
      const QStringList after = listFiles(list);
      ASSERT_EQ(QSet<QString>(after.begin(), after.end()),
                QSet<QString>(before.begin(), before.end()));
      if (pos >= 1) {
        EXPECT_EQ(list.entry(pos).file, before[pos - 1]);
      }
      if (n - (pos >= 1 ? 1 : 0) <= 1) {
        EXPECT_EQ(listFiles(list), before);
      }
      for (int i = 1; i <= n; ++i)
        ASSERT_EQ(list.entry(i).stream->fileSize, 1000 + list.entry(i).file.mid(7, 2).toInt());
    }
  }
}

TEST_F(PlayerTest, StopDropsAPendingChoiceAndResetsEveryWindow) {
  playCurrent();
  player.stepForward();
  ASSERT_TRUE(player.startPending());
  v.mpanel2Area.print("song line");
  v.timeText = v.barTime = "0:10 / 1:01";
  player.stop();
  EXPECT_TRUE(d.called("stop"));
  EXPECT_TRUE(d.called("close"));
  EXPECT_FALSE(player.isPlaying());
  EXPECT_FALSE(player.startPending());
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_TRUE(v.mpanel2Area.prints().isEmpty());
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  EXPECT_EQ(v.timeText, "");
  EXPECT_EQ(v.barTime, "");
  ASSERT_EQ(v.mPanelArea.prints().size(), 1);
  EXPECT_EQ(v.mPanelArea.prints()[0].text, "Ver.1.14");
  EXPECT_TRUE(v.aPanelArea.prints().isEmpty());
}

TEST_F(PlayerTest, PlayResumesAPausedTrackOrStartsTheEntryAndDropsAPendingChoice) {
  playCurrent();
  player.pause();
  EXPECT_TRUE(d.called("pause"));
  d.clearCalls();
  player.play();
  EXPECT_TRUE(d.called("restart"));
  EXPECT_FALSE(d.called("open /music/01.mp3"));

  player.stepForward();
  player.play();
  EXPECT_EQ(d.openPath, "/music/02.mp3");
  EXPECT_FALSE(player.startPending());
  EXPECT_EQ(v.counterText, "0002 / 0010");
  EXPECT_EQ(v.barCounter, "0002 / 0010");
  EXPECT_EQ(v.caption, "♪Song 2");
}

// Neither an empty choice nor a drop of nothing playable replaces the list that plays, and a new
// list is not restarted by the start still pending for the old one.
TEST_F(PlayerTest, NewListsNeverEmptyTheListAndDropAPendingStart) {
  playCurrent();
  EXPECT_FALSE(player.startNewList({}));
  EXPECT_EQ(s.listCount, 10);
  EXPECT_TRUE(player.isPlaying());
  EXPECT_TRUE(d.calls.empty());

  player.stepForward();
  ASSERT_TRUE(player.startNewList({"/music/07.mp3", "/music/08.mp3"}));
  EXPECT_EQ(s.listCount, 2);
  EXPECT_EQ(d.openPath, "/music/07.mp3");
  EXPECT_FALSE(player.startPending());
  EXPECT_EQ(v.startTimerInterval, 0);
  player.startPendingEntry();
  EXPECT_EQ(d.count("play"), 1);
}

// Every entry but the playing one reaches every other place about equally often, the last
// entry included; seeds give different orders.
TEST_F(PlayerTest, ShuffleIsUniformOverAllButThePlayingEntry) {
  constexpr int kRounds = 6000;
  int counts[5][5] = {};
  State list;
  list.rndState = 12345;
  for (int round = 0; round < kRounds; ++round) {
    makeList(list, d, 4);
    list.listPos = 2;
    tblShuffle(list);
    ASSERT_EQ(list.entry(2).file, "/music/02.mp3");
    for (int place = 1; place <= 4; ++place)
      ++counts[list.entry(place).file.mid(7, 2).toInt()][place];
  }
  for (int entry : {1, 3, 4})
    for (int place : {1, 3, 4})
      EXPECT_NEAR(counts[entry][place], kRounds / 3, kRounds / 20) << entry << " at " << place;

  State first, second;
  makeList(first, d, 20);
  makeList(second, d, 20);
  seedRandom(first, 1);
  seedRandom(second, 2);
  tblShuffle(first);
  tblShuffle(second);
  EXPECT_NE(listFiles(first), listFiles(second));
}

}  // namespace
}  // namespace sorv::test
