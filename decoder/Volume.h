#pragma once
// Volume per channel, 0..100, on a perceptual curve: the gain is (level / 100) cubed, so
// 50 sounds about half as loud (-18 dB) and 80 is -5.8 dB. A change ramps linearly over a
// few milliseconds so it never clicks. At 100 on both channels the signal is not touched.
#include <array>
#include <cstddef>

namespace sorv {

double volumeGain(int level);

class Volume {
 public:
  explicit Volume(int sampleRate = 44100);

  // gain multiplies both channels' level gains (loudness matching; 1 = none).
  void setLevels(int left, int right, double gain = 1.0);
  // Same without a ramp: for the start of a stream, where there is nothing to ramp from.
  void setLevelsNow(int left, int right, double gain = 1.0);
  // Scales frames of interleaved stereo in place.
  void process(float* stereo, std::size_t frames);

 private:
  int sampleRate_;
  std::array<double, 2> current_{1.0, 1.0};
  std::array<double, 2> target_{1.0, 1.0};
  std::array<double, 2> step_{0.0, 0.0};
  std::size_t rampLeft_ = 0;
};

}  // namespace sorv
