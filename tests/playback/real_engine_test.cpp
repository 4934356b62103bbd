// Playback over the real engine with the dummy audio driver: demo songs and short fixtures.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "decoder/ThreadedAudioEngine.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/Player.h"
#include "playback/SongText.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QString sourceFile(const QString& relative) {
  return qEnvironmentVariable("SORV_SOURCE_DIR", SORV_SOURCE_DIR) + "/" + relative;
}

class RealEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(engine.init(), 0);
    s.dbState = -1;
    s.verNo = "1.14";
    s.pathDir[6] = lyricsDir.path() + "/";
  }
  void TearDown() override { engine.release(); }
  int32_t engineState() {
    int32_t position = 0;
    return engine.state(position);
  }
  // What the one-second tick does, polled faster: waits for the end of the track, then runs the
  // end-of-track steps and, for a pending start, the start timer's tick.
  void playToEndOfTrack() {
    EXPECT_TRUE(waitUntil([this] { return engineState() == 0; })) << "the track did not end";
    player.trackEnded();
    player.startPendingEntry();
  }
  ThreadedAudioEngine engine;
  QTemporaryDir lyricsDir;
  State s;
  FakeView v;
  Player player{s, engine, v};
  MessageCapture messages;
};

TEST_F(RealEngineTest, DemoSongPlaysWithItsTagAndLyrics) {
  setFileTable(s, {sourceFile("demo/songs/hoshizora_opening.mp3"),
                   sourceFile("demo/songs/hoshizora_opening_k.mp3")});
  s.listPos = 1;
  ASSERT_EQ(playData(s, engine, v, 1), -1);
  EXPECT_NE(engineState(), 0);
  EXPECT_EQ(tagText(s.entry(1).tag.title), "星空のオーバーチュア");
  EXPECT_GE(s.entry(1).stream.length, 20);
  EXPECT_EQ(s.hasLyrics, 1);
  EXPECT_EQ(s.titleText, "星空のオーバーチュア");
  s.listPos = 2;
  ASSERT_EQ(playData(s, engine, v, 2), -1);
  EXPECT_EQ(s.hasLyrics, 1);  // the off-vocal version shows the song's lyrics
  engine.stop();
  engine.close();
  EXPECT_EQ(engineState(), 0);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, ThreeShortTracksPlayThroughThenLoop) {
  const QString second = sourceFile("tests/fixtures/silence_1s.mp3");
  setFileTable(s, {sourceFile("tests/fixtures/tone440_short.rmp"), second,
                   sourceFile("tests/fixtures/tone1k_mpeg25_mono.mp3")});
  ASSERT_TRUE(player.start(1));
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 2);
  EXPECT_EQ(s.playState, 1);
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 3);
  playToEndOfTrack();
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.listPos, 3);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");

  s.loopMode = 1;
  ASSERT_TRUE(player.start(3));
  playToEndOfTrack();
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.playState, 1);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, RandomBytesNamedMp3FailsWithMessage) {
  setFileTable(s, {sourceFile("tests/fixtures/random_bytes.mp3")});
  s.listPos = 1;
  EXPECT_EQ(playData(s, engine, v, 1), 0);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(messages.texts[0].startsWith(sourceFile("tests/fixtures/random_bytes.mp3")));
}

}  // namespace
}  // namespace sorv::test
