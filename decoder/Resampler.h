#pragma once
// Converts interleaved stereo float frames from the file's rate to the device's, with FFmpeg's
// resampler. At equal rates the frames pass through untouched.
#include <cstddef>
#include <vector>

struct SwrContext;

namespace sorv {

class Resampler {
 public:
  Resampler(int fromRate, int toRate);
  ~Resampler();
  Resampler(const Resampler&) = delete;
  Resampler& operator=(const Resampler&) = delete;

  // Runs count frames through; with last, also what the filter still holds. Returns the
  // frames ready (valid until the next call).
  const std::vector<float>& run(const float* frames, std::size_t count, bool last);

 private:
  SwrContext* context_ = nullptr;
  std::vector<float> out_;
};

}  // namespace sorv
