#include <gtest/gtest.h>

#include <cmath>

#include "decoder/Volume.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

TEST(VolumeTest, CurveIsPerceptualNotLinear) {
  EXPECT_EQ(volumeGain(0), 0.0);
  EXPECT_EQ(volumeGain(100), 1.0);
  EXPECT_NEAR(20 * std::log10(volumeGain(50)), -18.1, 0.2);
  EXPECT_LT(volumeGain(50), 0.5);
  EXPECT_EQ(volumeGain(150), 1.0);
  EXPECT_EQ(volumeGain(-3), 0.0);
}

TEST(VolumeTest, ZeroIsSilenceOnThatChannelOnly) {
  Volume volume;
  volume.setLevelsNow(0, 100);
  auto samples = test::stereoSine(440, 0.5, 44100, 1024);
  const auto input = samples;
  volume.process(samples.data(), 1024);
  for (std::size_t i = 0; i < samples.size(); i += 2) {
    ASSERT_EQ(samples[i], 0.0f);
    ASSERT_EQ(samples[i + 1], input[i + 1]);
  }
}

TEST(VolumeTest, ChangeRampsOverAFewMilliseconds) {
  Volume volume(44100);
  std::vector<float> ones(2 * 1024, 1.0f);
  volume.setLevels(0, 0);
  volume.process(ones.data(), 1024);
  EXPECT_GT(ones[0], 0.99f);        // starts from where it was
  EXPECT_EQ(ones[2 * 1023], 0.0f);  // reached after the ramp
  for (std::size_t i = 2; i < ones.size(); i += 2) ASSERT_LE(ones[i] - ones[i - 2], 0.0f);
  for (std::size_t i = 2; i < ones.size(); i += 2) ASSERT_LT(ones[i - 2] - ones[i], 0.01f);
}

}  // namespace
}  // namespace sorv
