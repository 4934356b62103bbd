#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "decoder/Vbmp3Engine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

// Polls until the state is want; false when it never comes.
bool waitForState(Vbmp3Engine& engine, int32_t want, int32_t* position = nullptr) {
  int32_t seconds = 0;
  const bool reached = test::WaitUntil([&] { return engine.vbmp3_getState(seconds) == want; });
  if (reached && position) *position = seconds;
  return reached;
}

class EngineStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(engine.vbmp3_init(), 0); }
  int open(const std::string& name) { return engine.vbmp3_open(test::fixture(name), record); }
  int32_t state() { return engine.vbmp3_getState(position); }

  Vbmp3Engine engine;
  OpenRecord record;
  int32_t position = -1;
};

TEST_F(EngineStateTest, PlayPauseSeekStopAndTheirPositions) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  EXPECT_EQ(record.length, 3);
  EXPECT_EQ(record.sampleRate, 44100);
  EXPECT_EQ(state(), 0);
  ASSERT_NE(engine.vbmp3_play(), 0);
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 0);
  engine.vbmp3_pause();
  EXPECT_EQ(state(), 2);
  engine.vbmp3_seek(2);
  EXPECT_EQ(state(), 2);
  EXPECT_EQ(position, 2);
  engine.vbmp3_restart();
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 2);
  engine.vbmp3_stop();
  EXPECT_EQ(state(), 0);
  EXPECT_EQ(position, 0);
}

TEST_F(EngineStateTest, EndOfFileReachesStateZeroAtTheLength) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.vbmp3_play(), 0);
  engine.vbmp3_seek(2);
  int32_t seconds = -1;
  ASSERT_TRUE(waitForState(engine, 0, &seconds));
  EXPECT_EQ(seconds, 3);
  EXPECT_EQ(state(), 0);              // stays finished
  ASSERT_NE(engine.vbmp3_play(), 0);  // and plays again from the start
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 0);
}

TEST_F(EngineStateTest, EveryFormatPlaysToItsEnd) {
  for (const char* name :
       {"tone1k_mpeg2_mono.mp3", "tone1k_mpeg25_mono.mp3", "tone440_vbr.mp3", "tone440_short.rmp",
        "tone1k.wma", "tone1k_48k_stereo.mp3", "truncated.mp3"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(open(name), 0);
    ASSERT_NE(engine.vbmp3_play(), 0);
    engine.vbmp3_seek(std::max(record.length - 1, 0));
    EXPECT_TRUE(waitForState(engine, 0));
    engine.vbmp3_close();
  }
}

TEST_F(EngineStateTest, BadFilesFailToOpenAndNothingPlays) {
  for (const char* name : {"random_bytes.mp3", "empty.mp3", "missing.mp3"}) {
    EXPECT_EQ(open(name), 0) << name;
    EXPECT_EQ(engine.vbmp3_play(), 0) << name;
    EXPECT_EQ(state(), 0) << name;
  }
}

TEST_F(EngineStateTest, SpectrumAndWaveFollowWhatIsPlaying) {
  Bins left, right;
  engine.vbmp3_getSpectrum(left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.vbmp3_play(), 0);
  // 440 Hz lies in value 4 (bins 86 Hz apart, value k is bin k+1), once it is heard.
  const auto peak = [&] {
    engine.vbmp3_getSpectrum(left, right);
    return std::max_element(left.begin(), left.end()) - left.begin();
  };
  test::WaitUntil([&] { return peak() == 4; });
  ASSERT_EQ(peak(), 4) << "the tone never showed in the spectrum";
  EXPECT_GT(right[4], 80);
  engine.vbmp3_getWave(left, right);
  EXPECT_NEAR(*std::max_element(left.begin(), left.end()), 50, 3);  // -6 dBFS tone
  engine.vbmp3_stop();
  engine.vbmp3_getWave(left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
}

TEST_F(EngineStateTest, LyricsFollowThePosition) {
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  EXPECT_EQ(engine.vbmp3_setLyricsFile(test::fixture("missing.lrc")), 0);
  ASSERT_NE(engine.vbmp3_setLyricsFile(test::fixture("lyrics_utf8.lrc")), 0);
  LyricsRecord lyric;
  engine.vbmp3_getLyrics(lyric);
  EXPECT_EQ(lyric.value, -1);
  EXPECT_EQ(lyric.slot[1], "一行目");
  engine.vbmp3_seek(2);  // while stopped: where the next play starts
  engine.vbmp3_getLyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "二行目");
  engine.vbmp3_setLyricsNextAdjustTime(1000);
  engine.vbmp3_getLyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "くりかえし");
  engine.vbmp3_close();
  engine.vbmp3_getLyrics(lyric);
  EXPECT_EQ(lyric.slot[2], "");
}

TEST_F(EngineStateTest, OptionsVersionAndReinit) {
  EXPECT_EQ(engine.vbmp3_getVersion(), 100);
  Vbmp3Option option;
  ASSERT_NE(engine.vbmp3_getVbmp3Option(option), 0);
  EXPECT_EQ(option.field[2], 10);
  option.field[2] = 101;
  EXPECT_EQ(engine.vbmp3_setVbmp3Option(option), 0);
  option.field[2] = 30;
  EXPECT_NE(engine.vbmp3_setVbmp3Option(option), 0);
  engine.vbmp3_getVbmp3Option(option);
  EXPECT_EQ(option.field[2], 30);
  EXPECT_EQ(engine.vbmp3_setDecodeOption(DecodeOption{{0, 0, 100}}), 0);
  EXPECT_NE(engine.vbmp3_setDecodeOption(DecodeOption{{0, 0, 48000}}), 0);
  ASSERT_NE(open("tone440_mpeg1_128k_js.mp3"), 0);
  ASSERT_NE(engine.vbmp3_play(), 0);
  engine.vbmp3_free();
  EXPECT_EQ(state(), 0);
  ASSERT_NE(engine.vbmp3_init(), 0);
  ASSERT_NE(open("tone440_short.rmp"), 0);
  EXPECT_NE(engine.vbmp3_play(), 0);
  EXPECT_EQ(state(), 1);
}

}  // namespace
}  // namespace sorv
