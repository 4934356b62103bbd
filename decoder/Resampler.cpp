#include "decoder/Resampler.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

namespace sorv {

namespace {
constexpr std::size_t kStride = 2;  // stereo
}

Resampler::Resampler(int fromRate, int toRate) {
  if (fromRate == toRate) return;
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  if (swr_alloc_set_opts2(&context_, &stereo, AV_SAMPLE_FMT_FLT, toRate, &stereo, AV_SAMPLE_FMT_FLT,
                          fromRate, 0, nullptr) < 0 ||
      swr_init(context_) < 0) {
    swr_free(&context_);
  }
}

Resampler::~Resampler() {
  swr_free(&context_);
}

const std::vector<float>& Resampler::run(const float* frames, std::size_t count, bool last) {
  if (!context_) {
    out_.assign(frames, frames + count * kStride);
    return out_;
  }
  const int capacity = swr_get_out_samples(context_, static_cast<int>(count)) + (last ? 256 : 0);
  out_.resize(static_cast<std::size_t>(std::max(capacity, 0)) * kStride);
  auto* out = reinterpret_cast<uint8_t*>(out_.data());
  const auto* in = reinterpret_cast<const uint8_t*>(frames);
  int made =
      swr_convert(context_, &out, capacity, count > 0 ? &in : nullptr, static_cast<int>(count));
  if (last && made >= 0 && count > 0) {
    uint8_t* rest = out + made * kStride * sizeof(float);
    const int more = swr_convert(context_, &rest, capacity - made, nullptr, 0);
    made += std::max(more, 0);
  }
  out_.resize(static_cast<std::size_t>(std::max(made, 0)) * kStride);
  return out_;
}

}  // namespace sorv
