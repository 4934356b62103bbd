#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "decoder/Equalizer.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

// The heard gain at each band centre is its slider's value: measured through the filters,
// with the one headroom figure the design reports added back.
TEST(EqualizerTest, EveryBandCentreHearsItsSliderWithinOneDecibel) {
  for (const int rate : {44100, 48000}) {
    const test::BandProbe probe(rate);
    for (const auto& c : test::equalizerCases()) {
      SCOPED_TRACE(c.name + " at " + std::to_string(rate) + " Hz");
      const EqualizerSetting setting = EqualizerDesign(rate).design(c.gains);
      const double headroomDb = -20.0 * std::log10(setting.gain);
      const int largest = *std::max_element(c.gains.begin(), c.gains.end());
      EXPECT_GE(headroomDb, std::max(largest, 0) / 10.0 - 0.5);
      EXPECT_LE(headroomDb, std::max(largest, 0) / 10.0 + 1.5);
      Equalizer equalizer(rate);
      equalizer.setSetting(setting);
      const auto heard = probe.heardGains(equalizer);
      for (std::size_t band = 0; band < kBands; ++band) {
        EXPECT_NEAR(heard[band] + headroomDb, c.gains[band] / 10.0, 1.0) << kBandHz[band] << " Hz";
      }
    }
  }
}

TEST(EqualizerTest, OffOrFlatPassesSamplesBitForBitAlsoAfterABoost) {
  const auto input = test::stereoSine(440, 0.99, 44100, 4096);
  for (const bool flat : {false, true}) {
    Equalizer equalizer;
    const Gains zeros{};
    equalizer.setGains(flat ? &zeros : nullptr);
    auto samples = input;
    equalizer.process(samples.data(), 4096);
    EXPECT_EQ(0, std::memcmp(samples.data(), input.data(), samples.size() * sizeof(float)));
    const Gains boost{0, 0, 0, 0, 120, 0, 0, 0, 0, 0};
    equalizer.setGains(&boost);
    equalizer.process(samples.data(), 4096);
    equalizer.setGains(flat ? &zeros : nullptr);
    samples = input;
    equalizer.process(samples.data(), 4096);  // the cross-fade ends inside this block
    samples = input;
    equalizer.process(samples.data(), 4096);
    EXPECT_EQ(samples, input);
  }
}

TEST(EqualizerTest, GainChangeDoesNotJump) {
  Equalizer equalizer;
  auto samples = test::stereoSine(60, 0.2, 44100, 8192);
  equalizer.process(samples.data(), 4096);
  const Gains gains{120, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  equalizer.setGains(&gains);
  equalizer.process(samples.data() + 2 * 4096, 4096);
  // A 60 Hz tone moves at most 2*pi*60/44100*amplitude per sample; allow a boosted amplitude.
  const double limit = 2 * M_PI * 60 / 44100 * 0.2 * 4.0 * 1.5;
  for (std::size_t i = 2; i < samples.size(); i += 2) {
    ASSERT_LT(std::fabs(samples[i] - samples[i - 2]), limit) << "frame " << i / 2;
  }
}

}  // namespace
}  // namespace sorv
