#pragma once
// Ten-band equalizer: one RBJ peaking biquad per band and channel on interleaved stereo float.
// Gains are in 0.1 dB. All gains 0 (or off) passes the signal through untouched, bit for bit.
// A change of gains cross-fades from the old filters to the new over a few milliseconds, so
// it never clicks.
#include <array>
#include <cstddef>
#include <vector>

#include "decoder/Records.h"

namespace sorv {

inline constexpr std::array<double, 10> kBandHz = {60,   170,  310,   600,   1000,
                                                   3000, 6000, 12000, 14000, 16000};

class Equalizer {
 public:
  explicit Equalizer(int sampleRate = 44100);

  // nullptr switches the equalizer off. Values beyond ±120 are held at ±120.
  void setGains(const Gains* gains);
  // Forgets the filters' memory (after a seek).
  void reset();
  bool active() const { return active_ || fading_ > 0; }

  // Filters frames of interleaved stereo in place.
  void process(float* stereo, std::size_t frames);

 private:
  struct Biquad {
    std::size_t band = 0;
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    std::array<double, 2> z1{}, z2{};  // per channel, transposed direct form II
    double run(double x, int channel);
  };
  using Chain = std::vector<Biquad>;  // only the bands whose gain is not 0

  Chain design(const Gains& gains) const;
  void processSteady(float* stereo, std::size_t frames);
  void processFading(float* stereo, std::size_t frames);
  static double runChain(Chain& chain, double x, int channel);

  int sampleRate_;
  Gains gains_{};
  bool active_ = false;
  Chain chain_;
  Chain previous_;          // the chain being faded out
  std::size_t fading_ = 0;  // frames of cross-fade left
  std::size_t fadeLength_ = 0;
  // The block in double precision while it is filtered, one left/right pair per element.
  std::vector<double __attribute__((vector_size(16)))> work_;
};

// Keeps a sample inside -1..1 with a soft knee instead of a hard clip.
float softLimit(float sample);

}  // namespace sorv
