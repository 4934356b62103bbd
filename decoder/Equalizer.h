#pragma once
// Ten-band equalizer on interleaved stereo float: the cascade of peaking filters that
// EqualizerDesign makes, followed by its headroom gain. Off (or all gains 0) passes the signal
// through untouched, bit for bit. A new setting cross-fades from the old filters over a few
// milliseconds, so a change never clicks. Processing never allocates or locks, so it may run
// in the sound device's callback.
#include <array>
#include <cstddef>

#include "decoder/EqualizerDesign.h"

namespace sorv {

class Equalizer {
 public:
  explicit Equalizer(int sampleRate = 44100);

  // Designs and switches to the gains (0.1 dB, held at ±120); nullptr switches off.
  void setGains(const Gains* gains);
  // Switches to a setting designed elsewhere (for this sample rate).
  void setSetting(const EqualizerSetting& setting);
  // Forgets the filters' memory and any cross-fade (after a seek).
  void reset();
  bool active() const { return current_.setting.active() || fading_ > 0; }

  // Filters frames of interleaved stereo in place.
  void process(float* stereo, std::size_t frames);

 private:
  using Lanes = double __attribute__((vector_size(16)));  // left and right side by side
  struct Chain {
    EqualizerSetting setting;
    std::array<Lanes, kBands> z1{}, z2{};  // transposed direct form II, per filter
    void run(Lanes* work, std::size_t frames);
  };

  void processSteady(float* stereo, std::size_t frames);
  void processFading(float* stereo, std::size_t frames);

  int sampleRate_;
  EqualizerDesign design_;
  Chain current_;
  Chain previous_;          // the chain being faded out
  std::size_t fading_ = 0;  // frames of cross-fade left
  std::size_t fadeLength_;
};

}  // namespace sorv
