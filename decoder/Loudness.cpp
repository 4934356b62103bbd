#include "decoder/Loudness.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "decoder/AudioSource.h"
#include "decoder/RegularFile.h"
#include "decoder/SongTags.h"

namespace sorv {

namespace {

struct MeterDeleter {
  void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

}  // namespace

std::optional<Loudness> measureLoudness(const std::string& path) {
  auto source = openAudioSource(path);
  if (!source) return std::nullopt;
  const auto channels = static_cast<unsigned>(source->channels());
  std::unique_ptr<ebur128_state, MeterDeleter> meter(
      ebur128_init(channels, static_cast<unsigned long>(source->sampleRate()),
                   EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK));
  if (!meter) return std::nullopt;
  // A mono file is heard on both speakers.
  if (channels == 1) ebur128_set_channel(meter.get(), 0, EBUR128_DUAL_MONO);
  constexpr std::size_t kBlock = 8192;
  std::vector<float> block(kBlock * channels);
  while (const std::size_t frames = source->read(block.data(), kBlock)) {
    if (ebur128_add_frames_float(meter.get(), block.data(), frames) != EBUR128_SUCCESS) {
      return std::nullopt;
    }
  }
  Loudness loudness;
  if (ebur128_loudness_global(meter.get(), &loudness.lufs) != EBUR128_SUCCESS ||
      !std::isfinite(loudness.lufs)) {
    return std::nullopt;
  }
  for (unsigned channel = 0; channel < channels; ++channel) {
    double peak = 0;
    if (ebur128_sample_peak(meter.get(), channel, &peak) == EBUR128_SUCCESS) {
      loudness.peak = std::max(loudness.peak, peak);
    }
  }
  return loudness;
}

TaggedLoudness readLoudnessTags(const std::string& path) {
  const Descriptor file = openRegularDescriptor(path);
  if (!file) return {};
  SongFacts facts;
  readSongTags(file.get(), path, facts);
  return facts.loudness;
}

double replayGainDb(const Loudness& loudness) {
  const double gain = kTargetLufs - loudness.lufs;
  if (loudness.peak <= 0) return gain;
  return std::min(gain, -20.0 * std::log10(loudness.peak));
}

}  // namespace sorv
