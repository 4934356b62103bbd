#include "decoder/SoundAnalyzer.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>

namespace sorv {

namespace {

// A full-scale sine through a Hann window peaks at N/4 in its bin.
constexpr double kFullScale = SoundAnalyzer::kFftSize / 4.0;

}  // namespace

SoundAnalyzer::SoundAnalyzer()
    : plan_(kiss_fftr_alloc(kFftSize, 0, nullptr, nullptr)),
      window_(kFftSize),
      input_(kFftSize),
      output_(2 * (kFftSize / 2 + 1)) {
  // Value k starts where the decibels, rounded to the scale, reach k: at (k - 0.5) steps of
  // -kFloorDb / 100 dB above the floor.
  for (std::size_t k = 0; k < powerSteps_.size(); ++k) {
    const double db = kFloorDb + (k + 0.5) * -kFloorDb / 100.0;
    powerSteps_[k] = kFullScale * kFullScale * std::pow(10.0, db / 10.0);
  }
  for (std::size_t i = 0; i < kFftSize; ++i) {
    window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * M_PI * i / (kFftSize - 1)));
  }
}

SoundAnalyzer::~SoundAnalyzer() {
  kiss_fftr_free(plan_);
}

void SoundAnalyzer::spectrum(const float* stereo, Bins& left, Bins& right) {
  channelSpectrum(stereo, 0, left);
  channelSpectrum(stereo, 1, right);
}

void SoundAnalyzer::channelSpectrum(const float* stereo, int channel, Bins& out) {
  for (std::size_t i = 0; i < kFftSize; ++i) input_[i] = stereo[2 * i + channel] * window_[i];
  auto* bins = reinterpret_cast<kiss_fft_cpx*>(output_.data());
  kiss_fftr(plan_, input_.data(), bins);
  for (std::size_t k = 0; k < out.size(); ++k) out[k] = scaleBin(bins[k + 1].r, bins[k + 1].i);
}

// The bin's power against the steps: a logarithm per bin cost more than the FFT itself.
int32_t SoundAnalyzer::scaleBin(double re, double im) const {
  const double power = re * re + im * im;
  return static_cast<int32_t>(std::upper_bound(powerSteps_.begin(), powerSteps_.end(), power) -
                              powerSteps_.begin());
}

void SoundAnalyzer::wave(const float* stereo, std::size_t frames, Bins& left, Bins& right) {
  const std::size_t start = frames >= left.size() ? frames - left.size() : 0;
  left.fill(0);
  right.fill(0);
  for (std::size_t i = 0; i + start < frames && i < left.size(); ++i) {
    const float* frame = stereo + 2 * (start + i);
    left[i] = static_cast<int32_t>(std::lround(std::clamp(frame[0], -1.0f, 1.0f) * 100.0f));
    right[i] = static_cast<int32_t>(std::lround(std::clamp(frame[1], -1.0f, 1.0f) * 100.0f));
  }
}

}  // namespace sorv
