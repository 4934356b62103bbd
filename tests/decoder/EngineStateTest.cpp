#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

// Polls until the state is want; false when it never comes.
bool waitForState(ThreadedAudioEngine& engine, int32_t want, int32_t* position = nullptr) {
  int32_t seconds = 0;
  const bool reached = test::WaitUntil([&] { return engine.state(seconds) == want; });
  if (reached && position) *position = seconds;
  return reached;
}

class EngineStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(engine.init(), 0); }
  int open(const std::string& name) { return engine.open(test::fixture(name), record); }
  int32_t state() { return engine.state(position); }

  ThreadedAudioEngine engine;
  OpenRecord record;
  int32_t position = -1;
};

TEST_F(EngineStateTest, PlayPauseSeekStopAndTheirPositions) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  EXPECT_EQ(record.length, 3);
  EXPECT_EQ(record.sampleRate, 44100);
  EXPECT_EQ(state(), 0);
  ASSERT_NE(engine.play(), 0);
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 0);
  engine.pause();
  EXPECT_EQ(state(), 2);
  engine.seek(2);
  EXPECT_EQ(state(), 2);
  EXPECT_EQ(position, 2);
  engine.resume();
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 2);
  engine.stop();
  EXPECT_EQ(state(), 0);
  EXPECT_EQ(position, 0);
}

TEST_F(EngineStateTest, EndOfFileReachesStateZeroAtTheLength) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.play(), 0);
  engine.seek(2);
  int32_t seconds = -1;
  ASSERT_TRUE(waitForState(engine, 0, &seconds));
  EXPECT_EQ(seconds, 3);
  EXPECT_EQ(state(), 0);        // stays finished
  ASSERT_NE(engine.play(), 0);  // and plays again from the start
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 0);
}

TEST_F(EngineStateTest, EveryFormatPlaysToItsEnd) {
  for (const char* name :
       {"tone1k_mpeg2_mono.mp3", "tone1k_mpeg25_mono.mp3", "tone440_vbr.mp3", "tone440_short.rmp",
        "tone1k.wma", "tone1k_48k_stereo.mp3", "truncated.mp3"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(open(name), 0);
    ASSERT_NE(engine.play(), 0);
    engine.seek(std::max(record.length - 1, 0));
    EXPECT_TRUE(waitForState(engine, 0));
    engine.close();
  }
}

TEST_F(EngineStateTest, BadFilesFailToOpenAndNothingPlays) {
  for (const char* name : {"random_bytes.mp3", "empty.mp3", "missing.mp3"}) {
    EXPECT_EQ(open(name), 0) << name;
    EXPECT_EQ(engine.play(), 0) << name;
    EXPECT_EQ(state(), 0) << name;
  }
}

TEST_F(EngineStateTest, SpectrumAndWaveFollowWhatIsPlaying) {
  Bins left, right;
  engine.spectrum(left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.play(), 0);
  // 440 Hz lies in value 4 (bins 86 Hz apart, value k is bin k+1), once it is heard.
  const auto peak = [&] {
    engine.spectrum(left, right);
    return std::max_element(left.begin(), left.end()) - left.begin();
  };
  test::WaitUntil([&] { return peak() == 4; });
  ASSERT_EQ(peak(), 4) << "the tone never showed in the spectrum";
  EXPECT_GT(right[4], 80);
  engine.wave(left, right);
  EXPECT_NEAR(*std::max_element(left.begin(), left.end()), 50, 3);  // -6 dBFS tone
  engine.stop();
  engine.wave(left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
}

TEST_F(EngineStateTest, LyricsFollowThePosition) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  EXPECT_EQ(engine.setLyricsFile(test::fixture("missing.lrc")), 0);
  ASSERT_NE(engine.setLyricsFile(test::fixture("lyrics_utf8.lrc")), 0);
  LyricsRecord lyric;
  engine.lyrics(lyric);
  EXPECT_EQ(lyric.value, -1);
  EXPECT_EQ(lyric.slot[1], "一行目");
  engine.seek(2);  // while stopped: where the next play starts
  engine.lyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "二行目");
  engine.setLyricsLead(1000);
  engine.lyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "くりかえし");
  engine.close();
  engine.lyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "");
}

TEST_F(EngineStateTest, OptionsVersionAndReinit) {
  EXPECT_EQ(engine.version(), 100);
  EngineOption option;
  ASSERT_NE(engine.getEngineOption(option), 0);
  EXPECT_EQ(option.field[2], 10);
  option.field[2] = 101;
  EXPECT_EQ(engine.setEngineOption(option), 0);
  option.field[2] = 30;
  EXPECT_NE(engine.setEngineOption(option), 0);
  engine.getEngineOption(option);
  EXPECT_EQ(option.field[2], 30);
  EXPECT_EQ(engine.setDecodeOption(DecodeOption{{0, 0, 100}}), 0);
  EXPECT_NE(engine.setDecodeOption(DecodeOption{{0, 0, 48000}}), 0);
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.play(), 0);
  engine.release();
  EXPECT_EQ(state(), 0);
  ASSERT_NE(engine.init(), 0);
  ASSERT_NE(open("tone440_short.rmp"), 0);
  EXPECT_NE(engine.play(), 0);
  EXPECT_EQ(state(), 1);
}

}  // namespace
}  // namespace sorv
