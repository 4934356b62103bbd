#pragma once
// Look-ahead peak limiter on interleaved stereo float, the last stage before the device: no
// sample leaves it at or above kCeiling. The gain falls smoothly over the look-ahead before a
// peak arrives and recovers over about kReleaseSeconds, so it neither clicks nor clips. While
// nothing comes near the ceiling the gain is exactly 1, so the samples pass through unchanged,
// only later by delayFrames(). Never allocates after construction nor locks.
#include <cstddef>
#include <vector>

namespace sorv {

class PeakLimiter {
 public:
  static constexpr float kCeiling = 0.98855f;  // -0.1 dBFS
  static constexpr double kLookAheadSeconds = 0.0015;
  static constexpr double kReleaseSeconds = 0.08;

  explicit PeakLimiter(int sampleRate = 44100);

  // Limits frames of interleaved stereo in place; the output lags the input by delayFrames().
  void process(float* stereo, std::size_t frames);
  // Forgets everything held (after a seek): the delay line holds silence again.
  void reset();
  std::size_t delayFrames() const { return window_ - 1; }

 private:
  bool settled() const;
  // Hands quiet frames through while settled; returns how many it took.
  std::size_t passQuiet(float* stereo, std::size_t frames);
  void limitFrame(float* frame);
  double gainFor(float left, float right);

  std::size_t window_;  // look-ahead in frames
  double release_;
  std::vector<float> delay_;    // window_ - 1 stereo frames of input
  std::vector<float> needed_;   // per frame of the window: the gain that frame needs
  std::vector<double> smooth_;  // per frame of the window: the envelope, averaged over it
  std::size_t at_ = 0;          // window slot of the oldest frame
  std::size_t delayAt_ = 0;     // delay slot of the oldest frame
  std::size_t sinceOver_ = 0;   // frames since one needed less than unity gain
  std::size_t sinceUnity_ = 0;  // frames the envelope has been exactly 1
  double envelope_ = 1.0;
  double sum_ = 0.0;  // of smooth_
};

}  // namespace sorv
