#pragma once
// Helpers of the engine's tests: fixture paths, synthetic tones, tone levels, WAV reading.
#include <cstdint>
#include <string>
#include <vector>

namespace sorv::test {

// SORV_SOURCE_DIR + "/tests/fixtures/" + name.
std::string fixture(const std::string& name);
// Interleaved stereo sine, both channels alike.
std::vector<float> stereoSine(double hz, double amplitude, int rate, int frames);
// Level in dB of the tone at hz in one channel of interleaved samples (Goertzel, Hann).
double toneDb(const std::vector<float>& samples, int channels, int channel, double hz, int rate);
// The strongest frequency among 20..rate/2 Hz in 10 Hz steps.
double dominantHz(const std::vector<float>& samples, int channels, int rate);

// Stereo frames with every run of three or more silent frames taken out: what a device
// captured, without the silence it played while waiting (before the start, after the end, and
// where a busy machine let the queue run dry, which loses no sound, only delays it).
std::vector<float> withoutGaps(const std::vector<float>& stereo);

struct WavFile {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  std::vector<float> samples;  // interleaved, -1..1
};
// Reads a 16-bit PCM WAV file.
bool readWav(const std::string& path, WavFile& wav);
// Raw native float samples, as the disk audio driver writes them.
std::vector<float> readRawFloat(const std::string& path);

}  // namespace sorv::test
