#pragma once
// Helpers of the engine's tests: fixture paths, synthetic tones, tone levels, WAV reading.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "decoder/Equalizer.h"

namespace sorv::test {

// SORV_SOURCE_DIR + "/tests/fixtures/" + name.
std::string fixture(const std::string& name);
// Interleaved stereo sine, both channels alike.
std::vector<float> stereoSine(double hz, double amplitude, int rate, int frames);
// Level in dB of the tone at hz in one channel of interleaved samples (Goertzel, Hann).
double toneDb(const std::vector<float>& samples, int channels, int channel, double hz, int rate);
// The strongest frequency among 20..rate/2 Hz in 10 Hz steps.
double dominantHz(const std::vector<float>& samples, int channels, int rate);

// Stereo pink noise (-3 dB per octave at 44.1 kHz, both channels alike) at the given RMS level
// in dBFS, the same every time.
std::vector<float> pinkNoise(double rmsDb, int frames);
// Stereo frames without the silence before the first and after the last sounding frame: what a
// device played, without its waiting before the start and after the end.
std::vector<float> trimSilence(const std::vector<float>& stereo);

// Equalizer settings that must sound as asked: the panel's four presets, each band alone at
// +12 and -12 dB, and all bands at +12 and at -12 dB.
struct EqualizerCase {
  std::string name;
  Gains gains;
};
std::vector<EqualizerCase> equalizerCases();

// Ten quiet tones, one at each band centre, through an equalizer: the level change of each
// tone in dB, read once the filters have settled (after a quarter second).
class BandProbe {
 public:
  explicit BandProbe(int rate);
  std::array<double, kBands> heardGains(Equalizer& equalizer) const;

 private:
  std::array<double, kBands> levels(const std::vector<float>& samples) const;

  int rate_, settle_, frames_;
  std::vector<float> input_;
  std::array<double, kBands> inputDb_{};
};

struct WavFile {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  std::vector<float> samples;  // interleaved, -1..1
  std::string data;            // the data chunk's bytes as they are
};
// Reads a 16-bit or 24-bit PCM WAV file (plain or WAVE_FORMAT_EXTENSIBLE).
bool readWav(const std::string& path, WavFile& wav);
// Raw native float samples, as the disk audio driver writes them.
std::vector<float> readRawFloat(const std::string& path);

}  // namespace sorv::test
