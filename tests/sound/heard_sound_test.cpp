// What the equalizer and volume controls do to the sound that is heard: the real engine plays a
// generated two-tone file while SDL's disk driver records the device's float samples.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "decoder/ThreadedAudioEngine.h"
#include "panel/sound/EqualizerPanel.h"
#include "tests/common/WaitUntil.h"

namespace sorv::test {
namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 2;

void putLe(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A 16-bit stereo WAV file holding a 60 Hz and a 3 kHz tone, each at a quarter of full scale.
void writeTwoTones(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  const uint32_t dataBytes = kRate * kSeconds * 4;
  out.write("RIFF", 4);
  putLe(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  putLe(out, 16, 4);
  putLe(out, 1, 2);
  putLe(out, 2, 2);
  putLe(out, kRate, 4);
  putLe(out, kRate * 4, 4);
  putLe(out, 4, 2);
  putLe(out, 16, 2);
  out.write("data", 4);
  putLe(out, dataBytes, 4);
  for (int i = 0; i < kRate * kSeconds; ++i) {
    const double t = double(i) / kRate;
    const double value = 0.25 * std::sin(2 * M_PI * 60 * t) + 0.25 * std::sin(2 * M_PI * 3000 * t);
    const auto sample = static_cast<int16_t>(std::lround(value * 32767));
    putLe(out, static_cast<uint16_t>(sample), 2);
    putLe(out, static_cast<uint16_t>(sample), 2);
  }
}

// Level in dB of one tone in one channel of interleaved stereo (Hann-windowed Goertzel).
double toneDb(const std::vector<float>& stereo, int channel, double hz) {
  const std::size_t n = stereo.size() / 2;
  const double w = 2 * M_PI * hz / kRate;
  double s1 = 0, s2 = 0, windowSum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double window = 0.5 - 0.5 * std::cos(2 * M_PI * i / (n - 1));
    windowSum += window;
    const double s0 = stereo[2 * i + channel] * window + 2 * std::cos(w) * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = std::max(s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2, 0.0);
  return 20 * std::log10(std::max(2 * std::sqrt(power) / windowSum, 1e-12));
}

struct Levels {
  double left60, right60, left3k, right3k;
};

class HeardSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    song_ = dir_.filePath("tones.wav").toStdString();
    writeTwoTones(song_);
    s_.equPreNo = 0;
    s_.volLevel = {80, 80};
    setenv("SDL_AUDIODRIVER", "disk", 1);
  }
  void TearDown() override {
    engine_.release();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  // Plays the whole file through a fresh output and measures the middle second of what was heard.
  Levels hear() {
    const std::string capture = dir_.filePath(QString("heard%1.raw").arg(++runs_)).toStdString();
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    EXPECT_NE(engine_.init(), 0);
    OpenRecord record;
    EXPECT_NE(engine_.open(song_, record), 0);
    EXPECT_NE(engine_.play(), 0);
    int32_t position = 0;
    EXPECT_TRUE(test::waitUntil([&] { return engine_.state(position) == 0; }))
        << "the song did not play to its end";
    engine_.release();  // closes the capture file
    return measure(capture);
  }

  static Levels measure(const std::string& capture) {
    std::ifstream file(capture, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::vector<float> heard(bytes.size() / sizeof(float));
    std::memcpy(heard.data(), bytes.data(), heard.size() * sizeof(float));
    std::size_t first = 0;
    while (first < heard.size() && heard[first] == 0.0f) ++first;
    first &= ~std::size_t{1};
    // Half a second in, one second long: past the start and well before the end.
    const std::size_t from = first + kRate, count = 2 * kRate;
    EXPECT_GE(heard.size(), from + count) << "too little was heard";
    if (heard.size() < from + count) return {};
    const std::vector<float> middle(heard.begin() + from, heard.begin() + from + count);
    return {toneDb(middle, 0, 60), toneDb(middle, 1, 60), toneDb(middle, 0, 3000),
            toneDb(middle, 1, 3000)};
  }

  QTemporaryDir dir_;
  std::string song_;
  int runs_ = 0;
  QWidget panel_;
  State s_;
  ThreadedAudioEngine engine_;
  EqualizerPanel eq_{s_, engine_, &panel_};
};

// BASS asks for +6 dB at 60 Hz and at most +8 dB (170 Hz): the low tone rises 6 dB against
// the high one, and everything makes 8 dB of room so the boost cannot clip.
TEST_F(HeardSoundTest, BassRaisesTheLowToneAgainstTheHighOneAndMakesRoomForIt) {
  eq_.restoreSaved();
  const Levels flat = hear();
  ASSERT_GT(flat.left60, -30.0) << "the tone is heard at all";
  eq_.equPreClick(3);
  const Levels bass = hear();
  EXPECT_NEAR((bass.left60 - bass.left3k) - (flat.left60 - flat.left3k), 6.0, 1.0);
  EXPECT_NEAR((bass.right60 - bass.right3k) - (flat.right60 - flat.right3k), 6.0, 1.0);
  EXPECT_NEAR(bass.left3k - flat.left3k, -8.0, 1.0);
  EXPECT_NEAR(bass.right3k - flat.right3k, -8.0, 1.0);
  EXPECT_EQ(engine_.underruns(), 0);
  std::printf("60 Hz %.1f -> %.1f dB, 3 kHz %.1f -> %.1f dB\n", flat.left60, bass.left60,
              flat.left3k, bass.left3k);
}

TEST_F(HeardSoundTest, EachVolumeSliderTurnsDownItsOwnChannel) {
  eq_.restoreSaved();
  const Levels even = hear();
  ASSERT_GT(even.right3k, -30.0) << "the tone is heard at all";
  eq_.volumeMouseUp(1, Qt::LeftButton, {}, 4, 80);  // right to 20
  const Levels quietRight = hear();
  EXPECT_NEAR(quietRight.left60, even.left60, 0.5);
  EXPECT_LT(quietRight.right60, even.right60 - 6.0);
  eq_.volumeMouseUp(1, Qt::LeftButton, {}, 4, 20);
  eq_.volumeMouseUp(0, Qt::LeftButton, {}, 4, 80);  // left to 20, right back to 80
  const Levels quietLeft = hear();
  EXPECT_NEAR(quietLeft.right3k, even.right3k, 0.5);
  EXPECT_LT(quietLeft.left3k, even.left3k - 6.0);
}

}  // namespace
}  // namespace sorv::test
