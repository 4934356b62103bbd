#include "tests/decoder/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

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
  // The Hann window's cosine by rotation: one complex multiply a sample instead of a cos().
  const std::complex<double> turn = std::polar(1.0, 2.0 * M_PI / (n - 1));
  std::complex<double> phase = 1.0;
  for (std::size_t i = 0; i < n; ++i, phase *= turn) {
    const double window = 0.5 - 0.5 * phase.real();
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

std::vector<float> pinkNoise(double rmsDb, int frames) {
  std::mt19937 random(17);
  std::normal_distribution<double> white(0.0, 1.0);
  // Paul Kellet's filter: white noise through seven first-order sections.
  double b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
  std::vector<double> pink(frames);
  double power = 0.0;
  for (int i = 0; i < frames; ++i) {
    const double w = white(random);
    b0 = 0.99886 * b0 + w * 0.0555179;
    b1 = 0.99332 * b1 + w * 0.0750759;
    b2 = 0.96900 * b2 + w * 0.1538520;
    b3 = 0.86650 * b3 + w * 0.3104856;
    b4 = 0.55000 * b4 + w * 0.5329522;
    b5 = -0.7616 * b5 - w * 0.0168980;
    pink[i] = b0 + b1 + b2 + b3 + b4 + b5 + b6 + w * 0.5362;
    b6 = w * 0.115926;
    power += pink[i] * pink[i];
  }
  const double scale = std::pow(10.0, rmsDb / 20.0) / std::sqrt(power / frames);
  std::vector<float> stereo(2 * frames);
  for (int i = 0; i < frames; ++i) {
    stereo[2 * i] = stereo[2 * i + 1] = static_cast<float>(pink[i] * scale);
  }
  return stereo;
}

std::vector<float> trimSilence(const std::vector<float>& stereo) {
  std::size_t first = 0, end = stereo.size();
  while (first < end && stereo[first] == 0.0f) ++first;
  while (end > first && stereo[end - 1] == 0.0f) --end;
  return {stereo.begin() + (first & ~std::size_t{1}),
          stereo.begin() + ((end + 1) & ~std::size_t{1})};
}

std::vector<EqualizerCase> equalizerCases() {
  std::vector<EqualizerCase> cases = {
      {"ROCK", {60, 40, 20, 0, -20, -20, 0, 20, 40, 60}},
      {"POP", {20, 30, 40, 60, 60, 40, 30, 20, 0, 0}},
      {"BASS", {60, 80, 40, 20, 0, 0, 0, 0, 0, 0}},
      {"TREBLE", {0, 0, 0, 0, 20, 30, 40, 60, 60, 60}},
  };
  for (const int value : {120, -120}) {
    const std::string db = value > 0 ? " +12 dB" : " -12 dB";
    Gains all;
    all.fill(value);
    cases.push_back({"all bands" + db, all});
    for (std::size_t band = 0; band < kBands; ++band) {
      Gains one{};
      one[band] = value;
      cases.push_back({std::to_string(static_cast<int>(kBandHz[band])) + " Hz" + db, one});
    }
  }
  return cases;
}

BandProbe::BandProbe(int rate) : rate_(rate), settle_(rate / 4), frames_(settle_ + rate / 2) {
  input_.assign(2 * frames_, 0.0f);
  for (const double hz : kBandHz) {
    const auto tone = stereoSine(hz, 0.02, rate, frames_);
    for (std::size_t i = 0; i < input_.size(); ++i) input_[i] += tone[i];
  }
  inputDb_ = levels(input_);
}

std::array<double, kBands> BandProbe::levels(const std::vector<float>& samples) const {
  const std::vector<float> settled(samples.begin() + 2 * settle_, samples.end());
  std::array<double, kBands> db{};
  for (std::size_t band = 0; band < kBands; ++band) {
    db[band] = toneDb(settled, 2, 1, kBandHz[band], rate_);
  }
  return db;
}

std::array<double, kBands> BandProbe::heardGains(Equalizer& equalizer) const {
  auto output = input_;
  equalizer.process(output.data(), frames_);
  auto gains = levels(output);
  for (std::size_t band = 0; band < kBands; ++band) gains[band] -= inputDb_[band];
  return gains;
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
      if (wav.bits != 16 && wav.bits != 24) return false;
      const int width = wav.bits / 8;
      wav.data = bytes.substr(at + 8, size);
      wav.samples.resize(wav.data.size() / width);
      for (std::size_t i = 0; i < wav.samples.size(); ++i) {
        // The sample in the top bits of a signed 32-bit value, then scaled to -1..1.
        const auto top = static_cast<int32_t>(le(wav.data, width * i, width) << (32 - wav.bits));
        wav.samples[i] = static_cast<float>(top / 2147483648.0);
      }
      return true;
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
