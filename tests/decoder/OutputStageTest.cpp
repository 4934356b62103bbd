// The path from the decode thread to the device: the lock-free ring, the peak limiter, and the
// output stage that the device callback runs, driven frame by frame by a test device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "decoder/OutputStage.h"
#include "tests/decoder/ManualOutput.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

constexpr int kRate = 44100;

float peakOf(const std::vector<float>& samples, std::size_t from = 0) {
  float peak = 0.0f;
  for (std::size_t i = from; i < samples.size(); ++i) peak = std::max(peak, std::fabs(samples[i]));
  return peak;
}

TEST(RingTest, WrapsFillsEmptiesAndCarriesAStreamBetweenThreads) {
  SpscRing ring(8);
  float out[8];
  EXPECT_EQ(ring.pop(out, 8), 0u) << "empty";
  const float first[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(ring.push(first, 6), 6u);
  EXPECT_EQ(ring.pop(out, 4), 4u);
  const float second[7] = {7, 8, 9, 10, 11, 12, 13};
  EXPECT_EQ(ring.push(second, 7), 6u) << "only the free room is taken";
  EXPECT_EQ(ring.push(second, 1), 0u) << "full";
  EXPECT_EQ(ring.pop(out, 8), 8u);
  EXPECT_EQ(std::vector<float>(out, out + 8), (std::vector<float>{5, 6, 7, 8, 9, 10, 11, 12}))
      << "in order across the wrap";

  // A counting stream in uneven pieces, each side on its own thread, arrives whole and in order.
  constexpr int kValues = 1 << 20;
  SpscRing shared(1000);
  std::thread producer([&] {
    float piece[97];
    for (int next = 0; next < kValues;) {
      const int count = std::min(1 + next % 97, kValues - next);
      for (int i = 0; i < count; ++i) piece[i] = static_cast<float>(next + i);
      std::size_t done = 0;
      while (done < static_cast<std::size_t>(count))
        done += shared.push(piece + done, count - done);
      next += count;
    }
  });
  int expected = 0;
  bool inOrder = true;
  float piece[61];
  while (expected < kValues) {
    const std::size_t got = shared.pop(piece, 1 + expected % 61);
    for (std::size_t i = 0; i < got; ++i) inOrder = inOrder && piece[i] == expected++;
  }
  producer.join();
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(shared.size(), 0u);
}

TEST(PeakLimiterTest, NothingLeavesAtFullScaleAndQuietSoundPassesUntouched) {
  PeakLimiter limiter(kRate);
  const std::size_t delay = limiter.delayFrames();
  auto quiet = test::stereoSine(440, 0.5, kRate, kRate / 4);
  const auto input = quiet;
  limiter.process(quiet.data(), kRate / 4);
  for (std::size_t i = 2 * delay; i < quiet.size(); ++i) {
    ASSERT_EQ(quiet[i], input[i - 2 * delay]) << "sample " << i;
  }
  auto loud = test::stereoSine(440, 4.0, kRate, kRate / 4);
  limiter.process(loud.data(), kRate / 4);
  EXPECT_LT(peakOf(loud), PeakLimiter::kCeiling + 1e-6f);
  EXPECT_GT(peakOf(loud, loud.size() / 2), 0.9f * PeakLimiter::kCeiling) << "held at the ceiling";
  // Once the release is over, quiet sound passes unchanged again.
  auto after = test::stereoSine(440, 0.5, kRate, 2 * kRate);
  const auto afterInput = after;
  limiter.process(after.data(), 2 * kRate);
  for (std::size_t i = after.size() / 2; i < after.size(); ++i) {
    ASSERT_EQ(after[i], afterInput[i - 2 * delay]) << "sample " << i;
  }
}

// What the test device hears of a whole signal handed through the stage in 512-frame calls.
std::vector<float> throughStage(test::ManualOutput& output, const std::vector<float>& stereo) {
  std::vector<float> heard;
  for (std::size_t at = 0; at < stereo.size(); at += 2 * 512) {
    const std::size_t frames = std::min<std::size_t>(512, (stereo.size() - at) / 2);
    EXPECT_EQ(output.write(stereo.data() + at, frames), frames);
    const auto out = output.pull(frames);
    heard.insert(heard.end(), out.begin(), out.end());
  }
  return heard;
}

TEST(OutputStageTest, PinkNoiseAtMinus12DbfsClipsAtNoSettingAtFullVolume) {
  const auto noise = test::pinkNoise(-12.0, 4 * kRate);
  std::vector<Gains> settings = {Gains{}};  // FLAT
  for (const auto& c : test::equalizerCases()) {
    if (c.name.find(" Hz") == std::string::npos) settings.push_back(c.gains);
  }
  for (const auto& gains : settings) {
    SCOPED_TRACE(::testing::PrintToString(gains));
    test::ManualOutput output;
    output.open(kRate);
    output.setGains(&gains);
    output.setLevels(100, 100);
    output.pause(false);
    const auto heard = throughStage(output, noise);
    EXPECT_LT(peakOf(heard), 1.0f);
    EXPECT_GT(peakOf(heard), 0.5f) << "still loud";
  }
}

TEST(OutputStageTest, ASettingIsHeardInTheFirstCallbackAfterItWhateverIsQueued) {
  test::ManualOutput output;
  output.open(kRate);
  output.pause(false);
  const auto tone = test::stereoSine(1000, 0.5, kRate, kRate);
  ASSERT_EQ(output.write(tone.data(), kRate), static_cast<std::size_t>(kRate));
  EXPECT_NEAR(peakOf(output.pull(512)), 0.5, 0.01);
  const Gains cut{0, 0, 0, 0, -120, 0, 0, 0, 0, 0};
  output.setGains(&cut);
  EXPECT_LT(peakOf(output.pull(512), 2 * 300), 0.5 * 0.3) << "-12 dB at 1 kHz";
  output.setLevels(50, 50);
  EXPECT_LT(peakOf(output.pull(512), 2 * 300), 0.5 * 0.3 * 0.15) << "volume 50: -18 dB";
}

TEST(OutputStageTest, UnderrunsCountOnlyInTheMiddleOfAStream) {
  test::ManualOutput output;
  output.open(kRate);
  output.pause(false);
  output.pull(512);
  EXPECT_EQ(output.underruns(), 0) << "the device may start before the first sound";
  const auto tone = test::stereoSine(440, 0.5, kRate, 1000);
  output.write(tone.data(), 1000);
  output.pull(512);
  output.pull(512);
  EXPECT_EQ(output.underruns(), 1);
  output.write(tone.data(), 100);
  output.pull(512);
  EXPECT_EQ(output.underruns(), 2);
  output.write(tone.data(), 100);
  output.markEnd();
  EXPECT_FALSE(output.drained());
  output.pull(512);
  output.pull(512);
  EXPECT_EQ(output.underruns(), 2) << "the end is no dropout";
  EXPECT_TRUE(output.drained());
  EXPECT_EQ(output.framesHeard(), 1200);
  output.flush();
  EXPECT_EQ(output.underruns(), 2) << "counted for the life of the output";
  EXPECT_EQ(output.framesHeard(), 0);
}

}  // namespace
}  // namespace sorv
