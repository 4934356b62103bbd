#include "decoder/PeakLimiter.h"

#include <algorithm>
#include <cmath>

namespace sorv {

// The gain at a frame is the mean over the window of an envelope that drops at once to the
// smallest gain any frame in the window needs and recovers slowly. A frame that needs gain g
// leaves the delay line window - 1 frames later, when every envelope value in the mean was
// taken with that frame inside its window: the mean is at most g.
PeakLimiter::PeakLimiter(int sampleRate)
    : window_(std::max<std::size_t>(2, std::lround(kLookAheadSeconds * sampleRate))),
      release_(1.0 - std::exp(-1.0 / (kReleaseSeconds * sampleRate))),
      delay_(2 * (window_ - 1)),
      needed_(window_),
      smooth_(window_) {
  reset();
}

void PeakLimiter::reset() {
  std::fill(delay_.begin(), delay_.end(), 0.0f);
  std::fill(needed_.begin(), needed_.end(), 1.0f);
  std::fill(smooth_.begin(), smooth_.end(), 1.0);
  at_ = delayAt_ = 0;
  sinceOver_ = sinceUnity_ = window_;
  envelope_ = 1.0;
  sum_ = static_cast<double>(window_);
}

double PeakLimiter::gainFor(float left, float right) {
  const float peak = std::max(std::fabs(left), std::fabs(right));
  needed_[at_] = peak >= kCeiling ? kCeiling / peak : 1.0f;
  sinceOver_ = needed_[at_] < 1.0f ? 0 : std::min(sinceOver_ + 1, window_);
  double windowMin = 1.0;
  if (sinceOver_ < window_) windowMin = *std::min_element(needed_.begin(), needed_.end());
  envelope_ = std::min(windowMin, envelope_ + (1.0 - envelope_) * release_);
  if (envelope_ > 1.0 - 1e-4) envelope_ = 1.0;  // -0.001 dB: back to untouched
  sinceUnity_ = envelope_ == 1.0 ? std::min(sinceUnity_ + 1, window_) : 0;
  sum_ += envelope_ - smooth_[at_];
  smooth_[at_] = envelope_;
  if (++at_ == window_) at_ = 0;
  if (sinceUnity_ < window_) return sum_ / static_cast<double>(window_);
  sum_ = static_cast<double>(window_);  // exact again, whatever rounding gathered
  return 1.0;
}

void PeakLimiter::process(float* stereo, std::size_t frames) {
  std::size_t i = 0;
  while (i < frames) {
    if (settled()) i += passQuiet(stereo + 2 * i, frames - i);
    if (i < frames) limitFrame(stereo + 2 * i++);
  }
}

// Settled: no frame in the window needs a cut and the envelope has been 1 for a whole window,
// so every slot of the window holds 1 and a quiet frame changes nothing but the slot positions.
bool PeakLimiter::settled() const {
  return sinceOver_ == window_ && sinceUnity_ == window_;
}

// Most music never comes near the ceiling: until a frame does, the frames only go through the
// delay line.
std::size_t PeakLimiter::passQuiet(float* stereo, std::size_t frames) {
  std::size_t i = 0;
  for (; i < frames; ++i) {
    float* frame = stereo + 2 * i;
    if (std::max(std::fabs(frame[0]), std::fabs(frame[1])) >= kCeiling) break;
    std::swap(frame[0], delay_[2 * delayAt_]);
    std::swap(frame[1], delay_[2 * delayAt_ + 1]);
    if (++delayAt_ == window_ - 1) delayAt_ = 0;
  }
  at_ = (at_ + i) % window_;
  return i;
}

void PeakLimiter::limitFrame(float* frame) {
  float& left = frame[0];
  float& right = frame[1];
  const double gain = gainFor(left, right);
  const float oldLeft = delay_[2 * delayAt_], oldRight = delay_[2 * delayAt_ + 1];
  delay_[2 * delayAt_] = left;
  delay_[2 * delayAt_ + 1] = right;
  if (++delayAt_ == window_ - 1) delayAt_ = 0;
  if (gain == 1.0) {
    left = oldLeft;
    right = oldRight;
  } else {
    left = static_cast<float>(oldLeft * gain);
    right = static_cast<float>(oldRight * gain);
  }
}

}  // namespace sorv
