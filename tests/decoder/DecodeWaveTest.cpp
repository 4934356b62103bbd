#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

namespace fs = std::filesystem;

// Runs an export to its end; returns the highest decoded-seconds value seen.
int32_t decodeToEnd(ThreadedAudioEngine& engine, const std::string& source,
                    const std::string& target) {
  OpenRecord record;
  EXPECT_NE(engine.open(source, record), 0);
  EXPECT_NE(engine.decodeToWav(target), 0);
  int32_t seconds = 0, most = 0;
  EXPECT_TRUE(test::waitUntil([&] {
    const bool done = engine.state(seconds) == 0;
    most = std::max(most, seconds);
    return done;
  })) << "the export did not end";
  return most;
}

std::vector<std::string> namesIn(const QTemporaryDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path().toStdString())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DecodeWaveTest, MatchesReferenceDecode) {
  QTemporaryDir dir;
  const std::string target = dir.filePath("out.WAV").toStdString();
  ThreadedAudioEngine engine;
  EXPECT_EQ(decodeToEnd(engine, test::fixture("tone1k_mpeg2_mono.mp3"), target), 2);
  test::WavFile ours, reference;
  ASSERT_TRUE(test::readWav(target, ours));
  ASSERT_TRUE(test::readWav(test::fixture("reference_tone1k_mpeg2_mono.wav"), reference));
  EXPECT_EQ(ours.rate, 22050);
  EXPECT_EQ(ours.channels, 1);
  ASSERT_EQ(ours.samples.size(), reference.samples.size());
  for (std::size_t i = 0; i < ours.samples.size(); ++i) {
    ASSERT_NEAR(ours.samples[i], reference.samples[i], 2.0 / 32768) << i;
  }
  EXPECT_NEAR(test::dominantHz(ours.samples, 1, ours.rate), 1000, 10);
  EXPECT_TRUE(engine.waveWritten());
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"out.WAV"});
}

TEST(DecodeWaveTest, StereoAndWindowsMediaKeepTheirOwnRate) {
  QTemporaryDir dir;
  ThreadedAudioEngine engine;
  const std::string stereo = dir.filePath("a.WAV").toStdString();
  decodeToEnd(engine, test::fixture("tone1k_48k_stereo.mp3"), stereo);
  test::WavFile wav;
  ASSERT_TRUE(test::readWav(stereo, wav));
  EXPECT_EQ(wav.rate, 48000);
  EXPECT_EQ(wav.channels, 2);
  EXPECT_NEAR(wav.samples.size() / 2.0 / 48000, 2.0, 0.06);
  const std::string wma = dir.filePath("b.WAV").toStdString();
  decodeToEnd(engine, test::fixture("tone1k.wma"), wma);
  ASSERT_TRUE(test::readWav(wma, wav));
  EXPECT_EQ(wav.rate, 44100);
  EXPECT_NEAR(wav.samples.size() / 2.0 / 44100, 2.0, 0.06);
  EXPECT_NEAR(test::dominantHz(wav.samples, 2, wav.rate), 1000, 10);
}

// The old target is replaced; links planted under the temporary names are not followed; a
// target that cannot be replaced (a folder) is reported as not written.
TEST(DecodeWaveTest, ReplacesAnExistingTargetFollowsNoLinkAndTakesTheLongestName) {
  QTemporaryDir dir;
  const std::string target = dir.filePath("song.WAV").toStdString();
  const std::string victim = dir.filePath("victim").toStdString();
  std::ofstream(target) << "old content";
  std::ofstream(victim) << "precious";
  fs::create_symlink(victim, target + ".part");
  ThreadedAudioEngine engine;
  decodeToEnd(engine, test::fixture("tone440_short.rmp"), target);
  EXPECT_TRUE(engine.waveWritten());
  test::WavFile wav;
  ASSERT_TRUE(test::readWav(target, wav));
  EXPECT_NEAR(test::dominantHz(wav.samples, 1, wav.rate), 440, 10);
  std::ifstream kept(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "precious");
  // A name of 255 bytes, the most a file system takes: the temporary name is no longer.
  const std::string longest(251, 'n');
  decodeToEnd(engine, test::fixture("tone440_short.rmp"),
              dir.path().toStdString() + "/" + longest + ".WAV");
  EXPECT_TRUE(engine.waveWritten());
  const std::string folder = dir.filePath("folder.WAV").toStdString();
  fs::create_directory(folder);
  decodeToEnd(engine, test::fixture("tone440_short.rmp"), folder);
  EXPECT_FALSE(engine.waveWritten());
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"folder.WAV", longest + ".WAV", "song.WAV",
                                                    "song.WAV.part", "victim"}));
}

TEST(DecodeWaveTest, FailureLeavesNoFile) {
  QTemporaryDir dir;
  ThreadedAudioEngine engine;
  OpenRecord record;
  EXPECT_EQ(engine.decodeToWav(dir.filePath("x.WAV").toStdString()), 0);  // nothing open
  ASSERT_NE(engine.open(test::fixture("tone1k_mpeg2_mono.mp3"), record), 0);
  const std::string unwritable = dir.filePath("missing/x.WAV").toStdString();
  EXPECT_EQ(engine.decodeToWav(unwritable), 0);
  // A WAV song exported onto itself (its own folder, its own name) is refused and kept.
  const std::string song = dir.filePath("song.WAV").toStdString();
  fs::copy_file(test::fixture("reference_tone1k_mpeg2_mono.wav"), song);
  ASSERT_NE(engine.open(song, record), 0);
  EXPECT_EQ(engine.decodeToWav(song), 0);
  EXPECT_EQ(fs::file_size(song), fs::file_size(test::fixture("reference_tone1k_mpeg2_mono.wav")));
  fs::remove(song);
  ASSERT_NE(engine.open(test::fixture("tone1k_mpeg2_mono.mp3"), record), 0);
  int32_t position = 0;
  EXPECT_EQ(engine.state(position), 0);
  // Stopped (midway, or just after a fast machine finished): no temporary file stays behind,
  // and what is reported is what is there.
  const std::string target = dir.filePath("stopped.WAV").toStdString();
  ASSERT_NE(engine.decodeToWav(target), 0);
  engine.stop();
  EXPECT_EQ(namesIn(dir), engine.waveWritten() ? std::vector<std::string>{"stopped.WAV"}
                                               : std::vector<std::string>{});
  EXPECT_EQ(engine.state(position), 0);
}

TEST(DecodeWaveTest, TruncatedFileGivesTheDecodablePart) {
  QTemporaryDir dir;
  const std::string target = dir.filePath("t.WAV").toStdString();
  ThreadedAudioEngine engine;
  decodeToEnd(engine, test::fixture("truncated.mp3"), target);
  test::WavFile wav;
  ASSERT_TRUE(test::readWav(target, wav));
  EXPECT_GT(wav.samples.size(), 0u);
  EXPECT_LT(wav.samples.size(), 2u * 44100);
}

}  // namespace
}  // namespace sorv
