#pragma once
// Spectrum and wave values of a stretch of stereo sound, scaled for the panel's drawing.
//
// Spectrum: a Hann-windowed 512-point real FFT per channel; value k (0..255) is bin k+1
// (about 86 Hz apart at 44.1 kHz), in decibels relative to a full-scale sine at that bin,
// mapped linearly from kFloorDb (0) to 0 dB (100). Four adjacent values summed and scaled by a
// volume of 100 / 800 give at most 50, the half-width of the drawing area. Loud music lights
// most rows (anything above -60 dB shows) without pinning them: bins around -20 dB at volume
// 80 reach about 27 of the 50 pixels.
// Wave: the last 256 samples per channel, 100 at full scale, so the panel's formula fills its
// 50-pixel trace at volume 100. Silence gives zeros in both.
#include <array>
#include <cstddef>
#include <vector>

#include "decoder/Records.h"

struct kiss_fftr_state;

namespace sorv {

class SoundAnalyzer {
 public:
  static constexpr std::size_t kFftSize = 512;
  static constexpr double kFloorDb = -60.0;

  SoundAnalyzer();
  ~SoundAnalyzer();
  SoundAnalyzer(const SoundAnalyzer&) = delete;
  SoundAnalyzer& operator=(const SoundAnalyzer&) = delete;

  // stereo: kFftSize interleaved frames, oldest first.
  void spectrum(const float* stereo, Bins& left, Bins& right);
  // stereo: at least kBins interleaved frames; the last kBins are used.
  static void wave(const float* stereo, std::size_t frames, Bins& left, Bins& right);

 private:
  void channelSpectrum(const float* stereo, int channel, Bins& out);
  int32_t scaleBin(double re, double im) const;

  kiss_fftr_state* plan_ = nullptr;
  std::vector<float> window_;
  std::vector<float> input_;
  std::vector<float> output_;             // kiss_fft_cpx pairs
  std::array<double, 100> powerSteps_{};  // bin power where values 1..100 begin
};

}  // namespace sorv
