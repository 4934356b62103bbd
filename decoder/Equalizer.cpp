#include "decoder/Equalizer.h"

#include <algorithm>
#include <cmath>

namespace sorv {

namespace {

constexpr double kBandQ = 1.4;
constexpr double kFadeSeconds = 0.005;
constexpr float kKnee = 0.9f;

}  // namespace

Equalizer::Equalizer(int sampleRate) : sampleRate_(sampleRate) {}

double Equalizer::Biquad::run(double x, int channel) {
  const double y = b0 * x + z1[channel];
  z1[channel] = b1 * x - a1 * y + z2[channel];
  z2[channel] = b2 * x - a2 * y;
  return y;
}

// RBJ cookbook peaking filter per band, normalised by a0.
Equalizer::Chain Equalizer::design(const Gains& gains) const {
  Chain chain;
  for (std::size_t band = 0; band < kBandHz.size(); ++band) {
    if (gains[band] == 0 || kBandHz[band] >= sampleRate_ / 2.0) continue;
    const double a = std::pow(10.0, gains[band] / 10.0 / 40.0);
    const double w0 = 2.0 * M_PI * kBandHz[band] / sampleRate_;
    const double alpha = std::sin(w0) / (2.0 * kBandQ);
    const double a0 = 1.0 + alpha / a;
    Biquad q;
    q.band = band;
    q.b0 = (1.0 + alpha * a) / a0;
    q.b1 = -2.0 * std::cos(w0) / a0;
    q.b2 = (1.0 - alpha * a) / a0;
    q.a1 = q.b1;
    q.a2 = (1.0 - alpha / a) / a0;
    chain.push_back(q);
  }
  return chain;
}

void Equalizer::setGains(const Gains* gains) {
  Gains next{};
  if (gains) {
    for (std::size_t i = 0; i < next.size(); ++i) next[i] = std::clamp((*gains)[i], -120, 120);
  }
  if (next == gains_) return;
  previous_ = std::move(chain_);
  chain_ = design(next);
  // Bands that stay on start from their old memory, so the cross-fade joins two settled
  // filters instead of one that still has to ring up.
  for (auto& q : chain_) {
    for (const auto& old : previous_) {
      if (old.band == q.band) {
        q.z1 = old.z1;
        q.z2 = old.z2;
      }
    }
  }
  gains_ = next;
  const bool wasActive = active_;
  active_ = !chain_.empty();
  fadeLength_ = static_cast<std::size_t>(kFadeSeconds * sampleRate_);
  fading_ = (wasActive || active_) ? fadeLength_ : 0;
}

void Equalizer::reset() {
  chain_ = design(gains_);
  previous_.clear();
  fading_ = 0;
}

double Equalizer::runChain(Chain& chain, double x, int channel) {
  for (auto& biquad : chain) x = biquad.run(x, channel);
  return x;
}

void Equalizer::process(float* stereo, std::size_t frames) {
  if (!active()) return;
  if (fading_ == 0) {
    processSteady(stereo, frames);
    return;
  }
  processFading(stereo, frames);
}

// One band at a time over the whole block, left and right as one two-lane vector: the two
// channels' recurrences run side by side, which is what makes the equalizer cheap.
void Equalizer::processSteady(float* stereo, std::size_t frames) {
  using Lanes = double __attribute__((vector_size(16)));
  work_.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) work_[i] = Lanes{stereo[2 * i], stereo[2 * i + 1]};
  for (auto& q : chain_) {
    Lanes z1{q.z1[0], q.z1[1]}, z2{q.z2[0], q.z2[1]};
    for (auto& x : work_) {
      const Lanes y = q.b0 * x + z1;
      z1 = q.b1 * x - q.a1 * y + z2;
      z2 = q.b2 * x - q.a2 * y;
      x = y;
    }
    q.z1 = {z1[0], z1[1]};
    q.z2 = {z2[0], z2[1]};
  }
  for (std::size_t i = 0; i < frames; ++i) {
    stereo[2 * i] = softLimit(static_cast<float>(work_[i][0]));
    stereo[2 * i + 1] = softLimit(static_cast<float>(work_[i][1]));
  }
}

void Equalizer::processFading(float* stereo, std::size_t frames) {
  for (std::size_t i = 0; i < frames; ++i) {
    for (int channel = 0; channel < 2; ++channel) {
      float& sample = stereo[2 * i + channel];
      double y = runChain(chain_, sample, channel);
      if (fading_ > 0) {
        const double mix = static_cast<double>(fading_) / fadeLength_;
        y = y * (1.0 - mix) + runChain(previous_, sample, channel) * mix;
      }
      sample = softLimit(static_cast<float>(y));
    }
    if (fading_ > 0 && --fading_ == 0) previous_.clear();
  }
}

float softLimit(float sample) {
  const float magnitude = std::fabs(sample);
  if (magnitude <= kKnee) return sample;
  const float room = 1.0f - kKnee;
  const float limited = kKnee + room * std::tanh((magnitude - kKnee) / room);
  return std::copysign(limited, sample);
}

}  // namespace sorv
