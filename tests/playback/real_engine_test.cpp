// Playback over the real engine with the dummy audio driver: demo songs and short fixtures.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "decoder/Vbmp3Engine.h"
#include "panel/info/SongText.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QString SourceFile(const QString& relative) {
  return qEnvironmentVariable("SORV_SOURCE_DIR", SORV_SOURCE_DIR) + "/" + relative;
}

class RealEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(engine.vbmp3_init(), 0);
    s.DbState = -1;
    s.VerNo = "1.14";
    s.PathDir[6] = lyricsDir.path() + "/";
  }
  void TearDown() override { engine.vbmp3_free(); }
  int32_t EngineState() {
    int32_t position = 0;
    return engine.vbmp3_getState(position);
  }
  // What the one-second tick does, polled faster: waits for the end of the track, then runs the
  // end-of-track steps and, for a pending start, the start timer's tick.
  void PlayToEndOfTrack() {
    EXPECT_TRUE(WaitUntil([this] { return EngineState() == 0; })) << "the track did not end";
    EndOfTrack(s, engine, v);
    if (s.StartPending == 1) StartTimerTick(s, engine, v);
  }
  Vbmp3Engine engine;
  QTemporaryDir lyricsDir;
  State s;
  FakeView v;
  MessageCapture messages;
};

TEST_F(RealEngineTest, DemoSongPlaysWithItsTagAndLyrics) {
  SetFileTable(s, {SourceFile("demo/songs/hoshizora_opening.mp3"),
                   SourceFile("demo/songs/hoshizora_opening_k.mp3")});
  s.ListPos = 1;
  ASSERT_EQ(PlayData(s, engine, v, 1), -1);
  EXPECT_NE(EngineState(), 0);
  EXPECT_EQ(TagText(s.ListTag[1].title), "星空のオーバーチュア");
  EXPECT_GE(s.ListInfo[1].length, 20);
  EXPECT_EQ(s.HasLyrics, 1);
  EXPECT_EQ(s.TitleText, "星空のオーバーチュア");
  s.ListPos = 2;
  ASSERT_EQ(PlayData(s, engine, v, 2), -1);
  EXPECT_EQ(s.HasLyrics, 1);  // the off-vocal version shows the song's lyrics
  engine.vbmp3_stop();
  engine.vbmp3_close();
  EXPECT_EQ(EngineState(), 0);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, ThreeShortTracksPlayThroughThenLoop) {
  const QString second = SourceFile("tests/fixtures/silence_1s.mp3");
  SetFileTable(s, {SourceFile("tests/fixtures/tone440_short.rmp"), second,
                   SourceFile("tests/fixtures/tone1k_mpeg25_mono.mp3")});
  s.ListPos = 1;
  ASSERT_EQ(PlayData(s, engine, v, 1), -1);
  s.PlayState = 1;
  PlayToEndOfTrack();
  EXPECT_EQ(s.ListPos, 2);
  EXPECT_EQ(s.PlayState, 1);
  PlayToEndOfTrack();
  EXPECT_EQ(s.ListPos, 3);
  PlayToEndOfTrack();
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.ListPos, 3);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");

  s.LoopMode = 1;
  ASSERT_EQ(PlayData(s, engine, v, 3), -1);
  s.PlayState = 1;
  PlayToEndOfTrack();
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(RealEngineTest, RandomBytesNamedMp3FailsWithMessage) {
  SetFileTable(s, {SourceFile("tests/fixtures/random_bytes.mp3")});
  s.ListPos = 1;
  EXPECT_EQ(PlayData(s, engine, v, 1), 0);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(messages.texts[0].startsWith(SourceFile("tests/fixtures/random_bytes.mp3")));
}

}  // namespace
}  // namespace sorv::test
