// How soon an equalizer change is heard: plays a steady tone through the real engine and SDL's
// disk driver (which paces itself like a sound card), switches a -12 dB cut at its band on and
// off at known heard positions, and finds each change in what the device played.
// Prints "median worst" in milliseconds.
// usage: bench_decoder_change_delay TONE_1KHZ_FILE CAPTURE_FILE
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "decoder/ThreadedAudioEngine.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 64;

// Peak of each block of kBlock frames, left channel.
std::vector<float> blockPeaks(const std::vector<float>& stereo) {
  std::vector<float> peaks;
  for (std::size_t at = 0; at + 2 * kBlock <= stereo.size(); at += 2 * kBlock) {
    float peak = 0.0f;
    for (int i = 0; i < kBlock; ++i) peak = std::max(peak, std::fabs(stereo[at + 2 * i]));
    peaks.push_back(peak);
  }
  return peaks;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s TONE_1KHZ_FILE CAPTURE_FILE\n", argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", argv[2], 1);
  sorv::ThreadedAudioEngine engine;
  sorv::OpenRecord record;
  if (!engine.init() || !engine.open(argv[1], record) || !engine.play()) return 1;
  const sorv::Gains cut{0, 0, 0, 0, -120, 0, 0, 0, 0, 0};
  std::vector<int64_t> heardAtChange;
  for (int change = 0; change < 8; ++change) {
    const int64_t due = 1500 + 700 * change;
    while (engine.heardMs() < due) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    heardAtChange.push_back(engine.heardMs() * kRate / 1000);
    engine.setEqualizer(change % 2 == 0 ? &cut : nullptr);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  engine.release();
  std::ifstream file(argv[2], std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  std::vector<float> heard(bytes.size() / sizeof(float));
  std::copy_n(reinterpret_cast<const float*>(bytes.data()), heard.size(), heard.begin());
  std::size_t first = 0;
  while (first < heard.size() && heard[first] == 0.0f) ++first;
  heard.erase(heard.begin(), heard.begin() + (first & ~std::size_t{1}));
  const auto peaks = blockPeaks(heard);
  const float loud = peaks.size() > 8 ? peaks[8] : 0.0f;
  std::vector<double> delays;
  for (std::size_t change = 0; change < heardAtChange.size(); ++change) {
    const bool toQuiet = change % 2 == 0;
    std::size_t block = static_cast<std::size_t>(heardAtChange[change] / kBlock);
    // Half way between the loud and the cut level (-12 dB) marks the change.
    while (block < peaks.size() && (peaks[block] > 0.6f * loud) == toQuiet) ++block;
    delays.push_back((double(block * kBlock) - heardAtChange[change]) * 1000.0 / kRate);
  }
  std::sort(delays.begin(), delays.end());
  std::printf("%.0f %.0f\n", delays[delays.size() / 2], delays.back());
  return 0;
}
