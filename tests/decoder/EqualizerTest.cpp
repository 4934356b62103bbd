#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "decoder/Equalizer.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

constexpr int kRate = 44100;

// Level change of a tone through the equalizer, measured after the filters settled.
double gainDbAt(const Gains& gains, double hz) {
  Equalizer equalizer(kRate);
  equalizer.setGains(&gains);
  auto samples = test::stereoSine(hz, 0.1, kRate, kRate);
  equalizer.process(samples.data(), kRate);
  const std::vector<float> settled(samples.begin() + kRate, samples.end());
  const auto input = test::stereoSine(hz, 0.1, kRate, kRate / 2);
  return test::toneDb(settled, 2, 0, hz, kRate) - test::toneDb(input, 2, 0, hz, kRate);
}

TEST(EqualizerTest, BoostAt60HzRaisesThatBandAndLeavesOneKilohertz) {
  Gains gains{120, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_NEAR(gainDbAt(gains, 60), 12.0, 1.0);
  EXPECT_NEAR(gainDbAt(gains, 1000), 0.0, 1.0);
}

TEST(EqualizerTest, EachBandActsOnItsOwnFrequency) {
  for (std::size_t band = 0; band < kBandHz.size(); ++band) {
    Gains gains{};
    gains[band] = -60;
    EXPECT_NEAR(gainDbAt(gains, kBandHz[band]), -6.0, 0.5) << kBandHz[band] << " Hz";
  }
}

TEST(EqualizerTest, OffOrFlatPassesSamplesBitForBit) {
  const auto input = test::stereoSine(440, 0.99, kRate, 4096);
  for (const bool flat : {false, true}) {
    Equalizer equalizer(kRate);
    Gains zeros{};
    equalizer.setGains(flat ? &zeros : nullptr);
    auto samples = input;
    equalizer.process(samples.data(), 4096);
    EXPECT_EQ(0, std::memcmp(samples.data(), input.data(), samples.size() * sizeof(float)));
  }
}

TEST(EqualizerTest, SwitchingOffAfterABoostReturnsToExactPassThrough) {
  Equalizer equalizer(kRate);
  Gains gains{0, 0, 0, 0, 120, 0, 0, 0, 0, 0};
  equalizer.setGains(&gains);
  auto samples = test::stereoSine(1000, 0.1, kRate, 4096);
  equalizer.process(samples.data(), 4096);
  equalizer.setGains(nullptr);
  samples = test::stereoSine(1000, 0.1, kRate, 4096);
  equalizer.process(samples.data(), 4096);  // the cross-fade ends inside this block
  const auto input = test::stereoSine(1000, 0.1, kRate, 4096);
  samples = input;
  equalizer.process(samples.data(), 4096);
  EXPECT_EQ(samples, input);
}

TEST(EqualizerTest, GainChangeDoesNotJump) {
  Equalizer equalizer(kRate);
  auto samples = test::stereoSine(60, 0.2, kRate, 8192);
  equalizer.process(samples.data(), 4096);
  Gains gains{120, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  equalizer.setGains(&gains);
  equalizer.process(samples.data() + 2 * 4096, 4096);
  // A 60 Hz tone moves at most 2*pi*60/44100*amplitude per sample; allow the boosted amplitude.
  const double limit = 2 * M_PI * 60 / kRate * 0.2 * 4.0 * 1.5;
  for (std::size_t i = 2; i < samples.size(); i += 2) {
    ASSERT_LT(std::fabs(samples[i] - samples[i - 2]), limit) << "frame " << i / 2;
  }
}

TEST(EqualizerTest, LoudBoostedSignalStaysInsideFullScale) {
  Equalizer equalizer(kRate);
  Gains gains{120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
  equalizer.setGains(&gains);
  auto samples = test::stereoSine(60, 0.9, kRate, kRate / 2);
  equalizer.process(samples.data(), kRate / 2);
  for (const float sample : samples) ASSERT_LE(std::fabs(sample), 1.0f);
  EXPECT_FLOAT_EQ(softLimit(0.5f), 0.5f);
  EXPECT_LE(softLimit(8.0f), 1.0f);
  EXPECT_GE(softLimit(-8.0f), -1.0f);
  EXPECT_LT(softLimit(0.95f), 0.95f);
  EXPECT_GT(softLimit(0.95f), 0.9f);
}

}  // namespace
}  // namespace sorv
