#include "decoder/Loudness.h"

#include <ebur128.h>
#include <taglib/fileref.h>
#include <taglib/mp4file.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <vector>

#include "decoder/AudioSource.h"
#include "decoder/LegacyPath.h"

namespace sorv {

namespace {

struct MeterDeleter {
  void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

// "-6.54 dB" or "0.988"; nullopt when the text starts with no number.
std::optional<double> leadingNumber(const std::string& text) {
  const char* begin = text.data();
  while (begin < text.data() + text.size() && *begin == ' ') ++begin;
  if (begin < text.data() + text.size() && *begin == '+') ++begin;
  double value = 0;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || end == begin) return std::nullopt;
  return value;
}

// The first value of a tag field: generic properties (Vorbis comments, ID3v2 TXXX frames, APE),
// then MP4's free-form iTunes atoms, which TagLib leaves out of its properties.
std::string fieldText(const TagLib::FileRef& file, const std::string& key) {
  const TagLib::PropertyMap properties = file.file()->properties();
  const auto found = properties.find(key);
  if (found != properties.end() && !found->second.isEmpty()) {
    return found->second.front().to8Bit(true);
  }
  auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file.file());
  if (!mp4 || !mp4->tag()) return {};
  for (const auto& [name, item] : mp4->tag()->itemMap()) {
    if (name.upper() == "----:COM.APPLE.ITUNES:" + TagLib::String(key).upper() &&
        !item.toStringList().isEmpty()) {
      return item.toStringList().front().to8Bit(true);
    }
  }
  return {};
}

std::optional<Loudness> taggedLoudness(const TagLib::FileRef& file, const std::string& scope) {
  const auto gain = leadingNumber(fieldText(file, "REPLAYGAIN_" + scope + "_GAIN"));
  if (!gain) return std::nullopt;
  const auto peak = leadingNumber(fieldText(file, "REPLAYGAIN_" + scope + "_PEAK"));
  return Loudness{kTargetLufs - *gain, peak && *peak > 0 ? *peak : 1.0};
}

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
  const TagLib::FileRef file(onDiskPath(path).c_str(), false);
  if (file.isNull()) return {};
  return {taggedLoudness(file, "TRACK"), taggedLoudness(file, "ALBUM")};
}

double replayGainDb(const Loudness& loudness) {
  const double gain = kTargetLufs - loudness.lufs;
  if (loudness.peak <= 0) return gain;
  return std::min(gain, -20.0 * std::log10(loudness.peak));
}

}  // namespace sorv
