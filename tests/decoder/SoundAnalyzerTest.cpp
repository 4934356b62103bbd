#include <gtest/gtest.h>

#include <algorithm>

#include "decoder/SoundAnalyzer.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

constexpr int kRate = 44100;

TEST(SpectrumTest, SilenceGivesZeros) {
  SoundAnalyzer analyzer;
  std::vector<float> silence(2 * SoundAnalyzer::kFftSize, 0.0f);
  Bins left, right;
  left.fill(7);
  analyzer.spectrum(silence.data(), left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
  EXPECT_EQ(*std::max_element(right.begin(), right.end()), 0);
  SoundAnalyzer::wave(silence.data(), SoundAnalyzer::kFftSize, left, right);
  EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
}

TEST(SpectrumTest, FullScaleToneFillsItsBinAndQuieterToneLess) {
  SoundAnalyzer analyzer;
  // Exactly on bin 20 (value index 19).
  const double hz = 20.0 * kRate / SoundAnalyzer::kFftSize;
  auto loud = test::stereoSine(hz, 1.0, kRate, SoundAnalyzer::kFftSize);
  Bins left, right;
  analyzer.spectrum(loud.data(), left, right);
  EXPECT_NEAR(left[19], 100, 1);
  EXPECT_EQ(std::max_element(left.begin(), left.end()) - left.begin(), 19);
  EXPECT_EQ(left[150], 0);
  auto quiet = test::stereoSine(hz, 0.1, kRate, SoundAnalyzer::kFftSize);  // -20 dB
  analyzer.spectrum(quiet.data(), left, right);
  EXPECT_NEAR(left[19], 67, 1);
}

TEST(SpectrumTest, WaveIsHundredAtFullScaleFromTheLatestSamples) {
  std::vector<float> stereo(2 * 300, 0.0f);
  stereo[2 * 299] = 1.0f;
  stereo[2 * 299 + 1] = -2.0f;  // beyond full scale is held at full scale
  stereo[2 * 43] = 0.5f;        // frame 43 of 300 is older than the last 256
  Bins left, right;
  SoundAnalyzer::wave(stereo.data(), 300, left, right);
  EXPECT_EQ(left[255], 100);
  EXPECT_EQ(right[255], -100);
  EXPECT_EQ(left[0], 0);
  EXPECT_EQ(*std::max_element(left.begin(), left.begin() + 255), 0);
}

}  // namespace
}  // namespace sorv
