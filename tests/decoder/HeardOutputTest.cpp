// What is heard, captured with SDL's disk driver, which writes the device's float samples to
// a file in real time.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "decoder/AudioSource.h"
#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/FormatFiles.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

class HeardOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    capture_ = dir_.filePath("heard.raw").toStdString();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture_.c_str(), 1);
  }
  void TearDown() override {
    engine_.release();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  // Plays the file (a fixture's name or a path) from the given second to its end; returns the
  // heard stereo frames without the device's waiting silence before the start and after the
  // end. Nothing may drop out in between.
  std::vector<float> hear(const std::string& name, int fromSecond) {
    EXPECT_NE(engine_.init(), 0);
    OpenRecord record;
    const std::string path = name.find('/') == std::string::npos ? test::fixture(name) : name;
    EXPECT_NE(engine_.open(path, record), 0);
    engine_.seek(fromSecond);
    EXPECT_NE(engine_.play(), 0);
    int32_t position = 0;
    EXPECT_TRUE(test::waitUntil([&] { return engine_.state(position) == 0; }))
        << name << " did not play to its end";
    EXPECT_EQ(engine_.underruns(), 0);
    engine_.release();  // closes the capture file
    return test::trimSilence(test::readRawFloat(capture_));
  }

  QTemporaryDir dir_;
  std::string capture_;
  ThreadedAudioEngine engine_;
};

TEST_F(HeardOutputTest, WithoutEqualizerAtFullVolumeTheFileIsHeardBitForBit) {
  const auto heard = hear("tone440_mpeg1_128k_js.mp3", 2);
  auto source = openAudioSource(test::fixture("tone440_mpeg1_128k_js.mp3"));
  ASSERT_TRUE(source && source->seek(2 * 44100));
  std::vector<float> expected(2 * 44100);
  expected.resize(2 * source->read(expected.data(), 44100));
  ASSERT_GE(heard.size(), expected.size() / 2);
  std::size_t offset = 0;  // a decoded zero frame may have been cut with the leading silence
  while (offset < 8 && expected[offset] != heard[0]) offset += 2;
  ASSERT_EQ(heard.size() + offset, expected.size());
  for (std::size_t i = 0; i < heard.size(); ++i) {
    ASSERT_EQ(heard[i], expected[i + offset]) << "sample " << i;
  }
}

// Every other format is heard from where a seek put it, at the device's rate, to its end.
TEST_F(HeardOutputTest, EveryFormatIsHeardFromTheSeekToTheEnd) {
  for (const test::FormatCase& format : test::formatCases()) {
    const std::string path = test::formatFile(format);
    ASSERT_FALSE(path.empty()) << "ffmpeg could not make " << format.file;
    const auto heard = hear(path, 2);
    EXPECT_NEAR(heard.size() / 2.0, 44100, 44100 / 20) << format.file;
    EXPECT_NEAR(test::dominantHz(heard, 2, 44100), test::toneHz(2), 10) << format.file;
    EXPECT_NEAR(test::toneDb(heard, 2, 0, test::toneHz(2), 44100), -6.0, 1.0) << format.file;
  }
}

// Loudness matching lowers (or raises) everything by its gain, like the volume.
TEST_F(HeardOutputTest, LoudnessGainIsHeardOnTopOfTheVolume) {
  const auto plain = hear("tone440_mpeg1_128k_js.mp3", 2);
  engine_.setLoudnessGain(-6.0);
  const auto quieter = hear("tone440_mpeg1_128k_js.mp3", 2);
  engine_.setLoudnessGain(0.0);
  ASSERT_GT(plain.size(), 2u * 20000);
  ASSERT_GT(quieter.size(), 2u * 20000);
  EXPECT_NEAR(test::toneDb(quieter, 2, 0, 440, 44100) - test::toneDb(plain, 2, 0, 440, 44100), -6.0,
              0.5);
}

TEST_F(HeardOutputTest, VolumeZeroIsSilence) {
  engine_.setVolume(0, 0);
  const auto heard = hear("tone440_mpeg1_128k_js.mp3", 2);
  EXPECT_TRUE(heard.empty());
}

TEST_F(HeardOutputTest, EqualizerCutIsHeardAfterResampling) {
  const auto plain = hear("tone1k_48k_stereo.mp3", 1);
  Gains cut{0, 0, 0, 0, -120, 0, 0, 0, 0, 0};
  engine_.setEqualizer(&cut);
  engine_.reload();
  const auto cutHeard = hear("tone1k_48k_stereo.mp3", 1);
  ASSERT_GT(plain.size(), 2u * 20000);
  ASSERT_GT(cutHeard.size(), 2u * 20000);
  const std::vector<float> a(plain.begin() + 8000, plain.begin() + 2 * 20000);
  const std::vector<float> b(cutHeard.begin() + 8000, cutHeard.begin() + 2 * 20000);
  EXPECT_NEAR(test::dominantHz(a, 2, 44100), 1000, 10);
  // Resampled 48 kHz sound stays a smooth sine: no sample jumps more than the tone's own slope.
  const double slope = 2 * M_PI * 1000 / 44100 * 0.5;
  for (std::size_t i = 2; i < plain.size(); i += 2) {
    ASSERT_LT(std::fabs(plain[i] - plain[i - 2]), slope * 1.1) << "frame " << i / 2;
  }
  EXPECT_NEAR(test::toneDb(a, 2, 0, 1000, 44100), -6.0, 1.0);
  EXPECT_NEAR(test::toneDb(b, 2, 1, 1000, 44100) - test::toneDb(a, 2, 1, 1000, 44100), -12.0, 1.0);
}

// A boost takes away only the level the song has no room for: a band raised 6 dB on a song
// 6 dB below full scale is heard 6 dB louder; the same song with an unknown peak gets the
// whole 6 dB of headroom, and a 12 dB boost elsewhere costs it the 6 dB it lacks.
TEST_F(HeardOutputTest, AnEqualizerBoostTakesOnlyTheHeadroomTheSongLacks) {
  const auto level = [&](const Gains& gains, double peak) {
    engine_.setEqualizer(&gains);
    engine_.setSongPeak(peak);
    const auto heard = hear("tone1k_48k_stereo.mp3", 1);
    EXPECT_GT(heard.size(), 2u * 20000);
    if (heard.size() <= 2u * 20000) return 0.0;
    return test::toneDb({heard.begin() + 8000, heard.begin() + 2 * 20000}, 2, 0, 1000, 44100);
  };
  const Gains flat{};
  const double plain = level(flat, 0.5);
  EXPECT_NEAR(plain, -6.0, 1.0);
  const Gains boost{0, 0, 0, 0, 60, 0, 0, 0, 0, 0};
  EXPECT_NEAR(level(boost, 0.5) - plain, 6.0, 0.5);
  EXPECT_NEAR(level(boost, 0.0) - plain, 0.0, 0.5);
  const Gains bass{120, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_NEAR(level(bass, 0.5) - plain, -6.0, 0.5);
}

}  // namespace
}  // namespace sorv
