#include "decoder/Volume.h"

#include <algorithm>

namespace sorv {

namespace {
constexpr double kRampSeconds = 0.005;
}

double volumeGain(int level) {
  const double fraction = std::clamp(level, 0, 100) / 100.0;
  return fraction * fraction * fraction;
}

Volume::Volume(int sampleRate) : sampleRate_(sampleRate) {}

void Volume::setLevels(int left, int right, double gain) {
  target_ = {volumeGain(left) * gain, volumeGain(right) * gain};
  rampLeft_ = std::max<std::size_t>(1, static_cast<std::size_t>(kRampSeconds * sampleRate_));
  for (int c = 0; c < 2; ++c) step_[c] = (target_[c] - current_[c]) / rampLeft_;
}

void Volume::setLevelsNow(int left, int right, double gain) {
  target_ = current_ = {volumeGain(left) * gain, volumeGain(right) * gain};
  rampLeft_ = 0;
}

void Volume::process(float* stereo, std::size_t frames) {
  std::size_t i = 0;
  for (; i < frames && rampLeft_ > 0; ++i, --rampLeft_) {
    for (int c = 0; c < 2; ++c) {
      current_[c] += step_[c];
      stereo[2 * i + c] = static_cast<float>(stereo[2 * i + c] * current_[c]);
    }
  }
  if (rampLeft_ == 0) current_ = target_;
  if (current_[0] == 1.0 && current_[1] == 1.0) return;
  for (; i < frames; ++i) {
    for (int c = 0; c < 2; ++c)
      stereo[2 * i + c] = static_cast<float>(stereo[2 * i + c] * current_[c]);
  }
}

}  // namespace sorv
