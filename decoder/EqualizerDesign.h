#pragma once
// Turns ten slider gains into the peaking filters that make them true. Neighbouring peaking
// filters add up where they overlap (12, 14 and 16 kHz lie less than a third of an octave
// apart), so each filter's own gain is not its slider's value: the gains are solved from the
// band-interaction matrix (each filter's response at every band centre, in dB per dB of gain)
// and then refined a few times against the exact response of the whole cascade, so the cascade
// meets every slider at its band centre. The design also says how far the cascade rises above
// 0 dB anywhere, so the output can make room for it.
#include <array>
#include <cstddef>

#include "decoder/Records.h"

namespace sorv {

inline constexpr std::size_t kBands = 10;
inline constexpr std::array<double, kBands> kBandHz = {60,   170,  310,   600,   1000,
                                                       3000, 6000, 12000, 14000, 16000};

struct BiquadCoefficients {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;  // normalised by a0
};

// What the equalizer runs: `count` filters in cascade, then `gain` (<= 1, the headroom).
struct EqualizerSetting {
  std::array<BiquadCoefficients, kBands> filters{};
  std::size_t count = 0;
  double gain = 1.0;
  double riseDb = 0.0;  // how far the cascade rises above 0 dB at its highest
  bool active() const { return count > 0; }
};

// The setting with only the headroom a song needs whose loudest sample lies spareDb below full
// scale: its rise less the spare, never below zero (the limiter takes what the design's
// estimate misses). A spare of 0 keeps all of it, as for a song whose peak is not known.
EqualizerSetting withSpare(EqualizerSetting setting, double spareDb);

class EqualizerDesign {
 public:
  explicit EqualizerDesign(int sampleRate);

  // Slider gains in 0.1 dB, held at ±120. All zero gives an inactive setting. Its gain makes
  // room for the whole rise.
  EqualizerSetting design(const Gains& gains) const;
  // The cascade's response in dB at hz (without the headroom gain).
  static double responseDb(const EqualizerSetting& setting, double hz, int sampleRate);

 private:
  using Vector = std::array<double, kBands>;
  using Matrix = std::array<Vector, kBands>;

  BiquadCoefficients peaking(std::size_t band, double gainDb) const;
  // The cascade of every usable band at the given filter gains, in dB at each band centre.
  Vector centreResponse(const Vector& filterDb) const;
  // Filter gains that move the centre responses by `change`, to first order.
  Vector solve(const Vector& change) const;

  int sampleRate_;
  std::size_t usable_ = 0;  // bands below the Nyquist limit: the first usable_ ones
  Matrix inverse_{};        // of the interaction matrix of the usable bands
};

}  // namespace sorv
