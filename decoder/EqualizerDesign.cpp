#include "decoder/EqualizerDesign.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace sorv {

namespace {

// Bandwidth of each band in octaves, about the distance to its neighbours: wide where the
// bands lie an octave or more apart, narrow for the three close ones at the top.
constexpr std::array<double, kBands> kBandwidth = {1.4, 1.2, 1.0,  0.9,  1.1,
                                                   1.3, 1.0, 0.55, 0.35, 0.3};
// The gain at which the interaction matrix is measured; the refinement covers the rest.
constexpr double kPrototypeDb = 12.0;
constexpr double kMaxFilterDb = 24.0;
constexpr int kRefinements = 8;
constexpr double kSettledDb = 0.005;

}  // namespace

EqualizerDesign::EqualizerDesign(int sampleRate) : sampleRate_(sampleRate) {
  while (usable_ < kBands && kBandHz[usable_] < 0.45 * sampleRate_) ++usable_;
  // Column m: band m's filter at the prototype gain, seen at every centre, per dB.
  Matrix interaction{};
  for (std::size_t m = 0; m < usable_; ++m) {
    EqualizerSetting one;
    one.filters[0] = peaking(m, kPrototypeDb);
    one.count = 1;
    for (std::size_t k = 0; k < usable_; ++k) {
      interaction[k][m] = responseDb(one, kBandHz[k], sampleRate_) / kPrototypeDb;
    }
  }
  // Gauss-Jordan with partial pivoting; the matrix is diagonally dominant, so this is stable.
  for (std::size_t k = 0; k < usable_; ++k) inverse_[k][k] = 1.0;
  for (std::size_t col = 0; col < usable_; ++col) {
    std::size_t best = col;
    for (std::size_t row = col + 1; row < usable_; ++row) {
      if (std::fabs(interaction[row][col]) > std::fabs(interaction[best][col])) best = row;
    }
    std::swap(interaction[col], interaction[best]);
    std::swap(inverse_[col], inverse_[best]);
    const double scale = 1.0 / interaction[col][col];
    for (std::size_t j = 0; j < usable_; ++j) {
      interaction[col][j] *= scale;
      inverse_[col][j] *= scale;
    }
    for (std::size_t row = 0; row < usable_; ++row) {
      if (row == col) continue;
      const double factor = interaction[row][col];
      for (std::size_t j = 0; j < usable_; ++j) {
        interaction[row][j] -= factor * interaction[col][j];
        inverse_[row][j] -= factor * inverse_[col][j];
      }
    }
  }
}

// RBJ cookbook peaking filter with its bandwidth pre-warped for the bilinear transform.
BiquadCoefficients EqualizerDesign::peaking(std::size_t band, double gainDb) const {
  const double a = std::pow(10.0, gainDb / 40.0);
  const double w0 = 2.0 * M_PI * kBandHz[band] / sampleRate_;
  const double alpha =
      std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * kBandwidth[band] * w0 / std::sin(w0));
  const double a0 = 1.0 + alpha / a;
  BiquadCoefficients q;
  q.b0 = (1.0 + alpha * a) / a0;
  q.b1 = -2.0 * std::cos(w0) / a0;
  q.b2 = (1.0 - alpha * a) / a0;
  q.a1 = q.b1;
  q.a2 = (1.0 - alpha / a) / a0;
  return q;
}

double EqualizerDesign::responseDb(const EqualizerSetting& setting, double hz, int sampleRate) {
  const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / sampleRate);
  const std::complex<double> z2 = z1 * z1;
  double db = 0.0;
  for (std::size_t i = 0; i < setting.count; ++i) {
    const auto& q = setting.filters[i];
    const auto h = (q.b0 + q.b1 * z1 + q.b2 * z2) / (1.0 + q.a1 * z1 + q.a2 * z2);
    db += 20.0 * std::log10(std::abs(h));
  }
  return db;
}

EqualizerDesign::Vector EqualizerDesign::centreResponse(const Vector& filterDb) const {
  EqualizerSetting cascade;
  for (std::size_t m = 0; m < usable_; ++m) cascade.filters[m] = peaking(m, filterDb[m]);
  cascade.count = usable_;
  Vector response{};
  for (std::size_t k = 0; k < usable_; ++k) {
    response[k] = responseDb(cascade, kBandHz[k], sampleRate_);
  }
  return response;
}

EqualizerDesign::Vector EqualizerDesign::solve(const Vector& change) const {
  Vector out{};
  for (std::size_t m = 0; m < usable_; ++m) {
    for (std::size_t k = 0; k < usable_; ++k) out[m] += inverse_[m][k] * change[k];
  }
  return out;
}

EqualizerSetting EqualizerDesign::design(const Gains& gains) const {
  EqualizerSetting setting;
  Vector wanted{};
  bool any = false;
  for (std::size_t k = 0; k < usable_; ++k) {
    wanted[k] = std::clamp(gains[k], -120, 120) / 10.0;
    any = any || wanted[k] != 0.0;
  }
  if (!any) return setting;
  // First order from the matrix, then Newton-like steps with the same matrix against the
  // exact response: the overlap of two boosts is not quite the sum of their dB.
  Vector filterDb = solve(wanted);
  for (int step = 0; step < kRefinements; ++step) {
    const Vector response = centreResponse(filterDb);
    Vector error{};
    double worst = 0.0;
    for (std::size_t k = 0; k < usable_; ++k) {
      error[k] = wanted[k] - response[k];
      worst = std::max(worst, std::fabs(error[k]));
    }
    if (worst < kSettledDb) break;
    const Vector correction = solve(error);
    for (std::size_t m = 0; m < usable_; ++m) {
      filterDb[m] = std::clamp(filterDb[m] + correction[m], -kMaxFilterDb, kMaxFilterDb);
    }
  }
  for (std::size_t m = 0; m < usable_; ++m) setting.filters[m] = peaking(m, filterDb[m]);
  setting.count = usable_;
  // Headroom: the highest point of the response on a fine logarithmic grid up to 20 kHz.
  double peakDb = 0.0;
  const double top = std::min(20000.0, 0.49 * sampleRate_);
  constexpr int kGrid = 400;
  for (int i = 0; i <= kGrid; ++i) {
    const double hz = 20.0 * std::pow(top / 20.0, static_cast<double>(i) / kGrid);
    peakDb = std::max(peakDb, responseDb(setting, hz, sampleRate_));
  }
  setting.riseDb = peakDb;
  return withSpare(setting, 0.0);
}

EqualizerSetting withSpare(EqualizerSetting setting, double spareDb) {
  setting.gain = std::pow(10.0, -std::max(0.0, setting.riseDb - std::max(0.0, spareDb)) / 20.0);
  return setting;
}

}  // namespace sorv
