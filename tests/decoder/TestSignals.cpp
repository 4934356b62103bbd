#include "tests/decoder/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace sorv::test {

std::string fixture(const std::string& name) {
  const char* root = std::getenv("SORV_SOURCE_DIR");
  return std::string(root ? root : ".") + "/tests/fixtures/" + name;
}

std::vector<float> stereoSine(double hz, double amplitude, int rate, int frames) {
  std::vector<float> samples(2 * frames);
  for (int i = 0; i < frames; ++i) {
    const auto value = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / rate));
    samples[2 * i] = samples[2 * i + 1] = value;
  }
  return samples;
}

double toneDb(const std::vector<float>& samples, int channels, int channel, double hz, int rate) {
  const std::size_t n = samples.size() / channels;
  const double w = 2.0 * M_PI * hz / rate;
  double s1 = 0, s2 = 0, windowSum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double window = 0.5 - 0.5 * std::cos(2.0 * M_PI * i / (n - 1));
    windowSum += window;
    const double s0 = samples[i * channels + channel] * window + 2 * std::cos(w) * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
  const double amplitude = 2.0 * std::sqrt(std::max(power, 0.0)) / windowSum;
  return 20.0 * std::log10(std::max(amplitude, 1e-12));
}

double dominantHz(const std::vector<float>& samples, int channels, int rate) {
  // 8192 frames resolve 10 Hz steps and keep the search quick.
  const std::size_t count = std::min<std::size_t>(samples.size(), 8192u * channels);
  const std::vector<float> head(samples.begin(), samples.begin() + count);
  double best = 0, bestDb = -1e9;
  for (double hz = 20; hz < rate / 2.0; hz += 10) {
    const double db = toneDb(head, channels, 0, hz, rate);
    if (db > bestDb) {
      bestDb = db;
      best = hz;
    }
  }
  return best;
}

std::vector<float> withoutGaps(const std::vector<float>& stereo) {
  const std::size_t frames = stereo.size() / 2;
  auto silent = [&](std::size_t f) { return stereo[2 * f] == 0.0f && stereo[2 * f + 1] == 0.0f; };
  std::vector<float> kept;
  for (std::size_t i = 0; i < frames;) {
    std::size_t end = i;
    while (end < frames && silent(end)) ++end;
    if (end == i) end = i + 1;  // a sounding frame
    if (end - i < 3) kept.insert(kept.end(), stereo.begin() + 2 * i, stereo.begin() + 2 * end);
    i = end;
  }
  return kept;
}

namespace {

std::string readAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t le(const std::string& bytes, std::size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

bool readWav(const std::string& path, WavFile& wav) {
  const std::string bytes = readAll(path);
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) return false;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const uint32_t size = le(bytes, at + 4, 4);
    if (id == "fmt ") {
      wav.channels = static_cast<int>(le(bytes, at + 10, 2));
      wav.rate = static_cast<int>(le(bytes, at + 12, 4));
      wav.bits = static_cast<int>(le(bytes, at + 22, 2));
    } else if (id == "data") {
      const std::size_t count = std::min<std::size_t>(size, bytes.size() - at - 8) / 2;
      wav.samples.resize(count);
      for (std::size_t i = 0; i < count; ++i) {
        wav.samples[i] = static_cast<int16_t>(le(bytes, at + 8 + 2 * i, 2)) / 32768.0f;
      }
      return wav.bits == 16;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

std::vector<float> readRawFloat(const std::string& path) {
  const std::string bytes = readAll(path);
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  return samples;
}

}  // namespace sorv::test
