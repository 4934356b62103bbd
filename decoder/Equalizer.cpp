#include "decoder/Equalizer.h"

#include <algorithm>

namespace sorv {

namespace {

constexpr double kFadeSeconds = 0.005;
// Frames filtered at a time: the block lives on the stack, so processing never allocates.
constexpr std::size_t kChunk = 256;

}  // namespace

Equalizer::Equalizer(int sampleRate)
    : sampleRate_(sampleRate),
      design_(sampleRate),
      fadeLength_(std::max<std::size_t>(1, static_cast<std::size_t>(kFadeSeconds * sampleRate))) {}

void Equalizer::setGains(const Gains* gains) {
  setSetting(gains ? design_.design(*gains) : EqualizerSetting{});
}

void Equalizer::setSetting(const EqualizerSetting& setting) {
  const bool wasActive = current_.setting.active();
  previous_ = current_;
  // The new filters start from the old memory, so the cross-fade joins two settled chains
  // instead of one that still has to ring up.
  current_.setting = setting;
  if (!wasActive) current_.z1 = current_.z2 = {};
  if (!wasActive && !setting.active()) return;
  fading_ = fadeLength_;
}

void Equalizer::reset() {
  current_.z1 = current_.z2 = {};
  fading_ = 0;
}

// The filters run as a pipeline: in step t filter f takes sample t - f, which filter f - 1 has
// just finished. The recurrences of one step do not wait on each other, so the processor
// overlaps them instead of waiting out each filter's chain in turn; left and right run side by
// side as one two-lane vector. Each filter does the same arithmetic as one run by itself.
void Equalizer::Chain::run(Lanes* work, std::size_t frames) {
  const std::size_t count = setting.count;
  for (std::size_t t = 0; count > 0 && t + 1 < frames + count; ++t) {
    const std::size_t first = t >= frames ? t - frames + 1 : 0;
    const std::size_t last = std::min(t, count - 1);
    for (std::size_t f = first; f <= last; ++f) {
      const BiquadCoefficients& q = setting.filters[f];
      const Lanes x = work[t - f];
      const Lanes y = q.b0 * x + z1[f];
      z1[f] = q.b1 * x - q.a1 * y + z2[f];
      z2[f] = q.b2 * x - q.a2 * y;
      work[t - f] = y;
    }
  }
  for (std::size_t i = 0; i < frames; ++i) work[i] *= setting.gain;
}

void Equalizer::process(float* stereo, std::size_t frames) {
  if (!active()) return;
  if (fading_ > 0) {
    const std::size_t fadeFrames = std::min(frames, fading_);
    processFading(stereo, fadeFrames);
    stereo += 2 * fadeFrames;
    frames -= fadeFrames;
  }
  if (current_.setting.active()) processSteady(stereo, frames);
}

void Equalizer::processSteady(float* stereo, std::size_t frames) {
  Lanes work[kChunk];
  for (std::size_t at = 0; at < frames; at += kChunk) {
    const std::size_t count = std::min(kChunk, frames - at);
    float* block = stereo + 2 * at;
    for (std::size_t i = 0; i < count; ++i) work[i] = Lanes{block[2 * i], block[2 * i + 1]};
    current_.run(work, count);
    for (std::size_t i = 0; i < count; ++i) {
      block[2 * i] = static_cast<float>(work[i][0]);
      block[2 * i + 1] = static_cast<float>(work[i][1]);
    }
  }
}

// Both chains run over the same input; the mix moves from the old output to the new one.
void Equalizer::processFading(float* stereo, std::size_t frames) {
  Lanes fresh[kChunk], old[kChunk];
  for (std::size_t at = 0; at < frames; at += kChunk) {
    const std::size_t count = std::min(kChunk, frames - at);
    float* block = stereo + 2 * at;
    for (std::size_t i = 0; i < count; ++i) {
      fresh[i] = old[i] = Lanes{block[2 * i], block[2 * i + 1]};
    }
    if (current_.setting.active()) current_.run(fresh, count);
    if (previous_.setting.active()) previous_.run(old, count);
    for (std::size_t i = 0; i < count; ++i, --fading_) {
      const double mix = static_cast<double>(fading_) / fadeLength_;
      const Lanes y = fresh[i] * (1.0 - mix) + old[i] * mix;
      block[2 * i] = static_cast<float>(y[0]);
      block[2 * i + 1] = static_cast<float>(y[1]);
    }
  }
}

}  // namespace sorv
