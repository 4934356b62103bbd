#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/ManualOutput.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

// Polls until the state is want; false when it never comes.
bool waitForState(ThreadedAudioEngine& engine, int32_t want, int32_t* position = nullptr) {
  int32_t seconds = 0;
  const bool reached = test::waitUntil([&] { return engine.state(seconds) == want; });
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
  EXPECT_EQ(record.bitrate, 128);
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
  test::waitUntil([&] { return peak() == 4; });
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

  // A lyric file from a Windows disk may differ from the name asked for in case only; the exact
  // name comes first.
  engine.setLyricsLead(0);
  QTemporaryDir dir;
  std::filesystem::copy_file(test::fixture("lyrics_utf8.lrc"),
                             dir.filePath("LOUD.TXT").toStdString());
  std::filesystem::copy_file(test::fixture("lyrics_sjis.lrc"),
                             dir.filePath("Loud.txt").toStdString());
  ASSERT_NE(engine.setLyricsFile(dir.filePath("LOUD.txt").toStdString()), 0);
  engine.lyrics(lyric);
  EXPECT_EQ(lyric.slot[1], "一行目");
  EXPECT_EQ(lyric.slot[0], "くりかえし") << "the first of the matches by byte order, LOUD.TXT";
  ASSERT_NE(engine.setLyricsFile(dir.filePath("Loud.txt").toStdString()), 0);
  engine.lyrics(lyric);
  EXPECT_NE(lyric.slot[0], "くりかえし") << "the exact name, not LOUD.TXT";
  EXPECT_EQ(engine.setLyricsFile(dir.filePath("LOUDER.txt").toStdString()), 0);
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

// A sound system that cannot be reached leaves its reason for the message; the silent output
// that replaces it opens with no complaint.
TEST(EngineInitTest, AFailedInitGivesTheSoundSystemsReason) {
  const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
  qputenv("SDL_AUDIODRIVER", "no-such-driver");
  ThreadedAudioEngine engine;
  EXPECT_EQ(engine.init(), 0);
  EXPECT_NE(engine.initFailure(), "");
  qputenv("SDL_AUDIODRIVER", driver);
  EXPECT_NE(engine.initSilent(), 0);
  EXPECT_EQ(engine.initFailure(), "");
}

// The engine with the test as its sound device: the test decides when sound is heard.
class DrivenEngineTest : public ::testing::Test {
 protected:
  DrivenEngineTest()
      : output(new test::ManualOutput), engine(std::unique_ptr<AudioOutput>(output)) {}
  void SetUp() override { ASSERT_NE(engine.init(), 0); }
  int32_t state() { return engine.state(position); }
  // Waits until the decode thread has queued at least frames, or fails saying so.
  void awaitQueued(std::size_t frames) {
    ASSERT_TRUE(test::waitUntil([&] { return output->delay() >= frames; }))
        << "the decoder queued nothing";
  }
  // Plays the given seconds of sound to the device; returns the loudest sample heard.
  float hear(double seconds) {
    float peak = 0.0f;
    for (int i = 0; i < static_cast<int>(seconds * 44100 / 441); ++i) {
      awaitQueued(441);
      for (const float sample : output->pull(441)) peak = std::max(peak, std::fabs(sample));
    }
    return peak;
  }

  test::ManualOutput* output;  // owned by the engine
  ThreadedAudioEngine engine;
  OpenRecord record;
  int32_t position = -1;
};

TEST_F(DrivenEngineTest, ReadingTheStateChangesNothingAndTheEndComesAsAnEvent) {
  std::atomic<int> ends{0};
  engine.setEndHandler([&] { ++ends; });
  ASSERT_NE(engine.open(test::fixture("tone440_mpeg1_128k_js.mp3"), record), 0);
  ASSERT_NE(engine.play(), 0);
  awaitQueued(44100);
  const std::size_t queued = output->delay();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(state(), 1);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(output->delay(), queued) << "nothing heard, nothing moved";
  EXPECT_GT(hear(1.1), 0.4f);
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 1);
  // Past the last frame the device hears silence until the engine says the track is over.
  ASSERT_TRUE(test::waitUntil([&] {
    output->pull(441);
    return ends != 0;
  })) << "no end event after the last frame";
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(state(), 0);
  EXPECT_EQ(position, 3);
  EXPECT_TRUE(output->paused());
  EXPECT_EQ(ends, 1);
}

// A file cut short while it plays (a drive pulled out, a copy still being written): a seek into
// what is gone ends the track, the state says so and the end event comes, so the next track can
// start, instead of the state staying at playing with the position frozen.
TEST_F(DrivenEngineTest, ASeekIntoWhatIsGoneEndsTheTrackCleanly) {
  std::atomic<int> ends{0};
  engine.setEndHandler([&] { ++ends; });
  QTemporaryDir dir;
  const std::string copy = dir.filePath("song.mp3").toStdString();
  std::filesystem::copy_file(test::fixture("tone440_mpeg1_128k_js.mp3"), copy);
  ASSERT_NE(engine.open(copy, record), 0);
  ASSERT_NE(engine.play(), 0);
  hear(0.5);
  std::filesystem::resize_file(copy, std::filesystem::file_size(copy) / 2);
  engine.seek(2);
  ASSERT_TRUE(test::waitUntil([&] {
    output->pull(441);
    return ends != 0;
  })) << "no end event after the seek";
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(state(), 0);

  EXPECT_NE(engine.play(), 0) << "and it can be started again";
  EXPECT_EQ(state(), 1);
}

// A sound server that went away and came back: the engine opens the device again and the song
// goes on from where it was heard; a device still away at the next start fails that start.
TEST_F(DrivenEngineTest, ALostDeviceIsOpenedAgainAndTheSongGoesOnWhereItWas) {
  std::atomic<int> lost{0};
  engine.setOutputLostHandler([&] { ++lost; });
  ASSERT_NE(engine.open(test::fixture("tone440_mpeg1_128k_js.mp3"), record), 0);
  ASSERT_NE(engine.play(), 0);
  hear(1.1);
  output->loseDevice();
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_EQ(state(), 1) << "the engine waits for the device";
  EXPECT_EQ(position, 1);
  output->allowReopen(true);
  ASSERT_TRUE(test::waitUntil([&] { return !output->lost(); })) << "never opened again";
  EXPECT_GT(hear(1.0), 0.4f);
  EXPECT_EQ(state(), 1);
  EXPECT_EQ(position, 2) << "the song went on from where it was";
  EXPECT_EQ(lost, 0);

  engine.stop();
  output->allowReopen(false);
  output->loseDevice();
  EXPECT_EQ(engine.play(), 0);
  output->allowReopen(true);
  EXPECT_NE(engine.play(), 0);
  EXPECT_EQ(state(), 1);
}

}  // namespace
}  // namespace sorv
