// The equalizer as heard: asked and heard gain at every band centre for each preset and for
// single bands and all bands at ±12 dB, and what pink noise at -12 dBFS RMS comes out as
// through the whole output stage at volume 100. Prints Markdown tables.
// usage: bench_decoder_equalizer_figures
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "decoder/OutputStage.h"
#include "tests/decoder/TestSignals.h"

namespace {

constexpr int kRate = 44100;

std::string dbList(const std::array<double, sorv::kBands>& values) {
  std::string text;
  for (const double value : values) {
    char item[16];
    std::snprintf(item, sizeof item, "%s%+.1f", text.empty() ? "" : " ", value);
    text += item;
  }
  return text;
}

void accuracyTable() {
  std::printf(
      "| setting | asked at 60 Hz ... 16 kHz, dB | heard, dB | worst error, dB | headroom, dB |\n");
  std::printf("|---|---|---|---|---|\n");
  const sorv::test::BandProbe probe(kRate);
  double worstOfAll = 0.0;
  for (const auto& c : sorv::test::equalizerCases()) {
    const sorv::EqualizerSetting setting = sorv::EqualizerDesign(kRate).design(c.gains);
    const double headroom = -20.0 * std::log10(setting.gain);
    sorv::Equalizer equalizer(kRate);
    equalizer.setSetting(setting);
    auto heard = probe.heardGains(equalizer);
    std::array<double, sorv::kBands> asked{};
    double worst = 0.0;
    for (std::size_t band = 0; band < sorv::kBands; ++band) {
      asked[band] = c.gains[band] / 10.0;
      heard[band] += headroom;
      worst = std::max(worst, std::fabs(heard[band] - asked[band]));
    }
    worstOfAll = std::max(worstOfAll, worst);
    std::printf("| %s | %s | %s | %.2f | %.1f |\n", c.name.c_str(), dbList(asked).c_str(),
                dbList(heard).c_str(), worst, headroom);
  }
  std::printf(
      "\nWorst error over all settings: %.2f dB (goal 1 dB). Heard: tone level change "
      "at the band centre through the filters, plus the setting's headroom.\n\n",
      worstOfAll);
}

double rmsDb(const std::vector<float>& samples) {
  double sum = 0.0;
  for (const float s : samples) sum += double(s) * s;
  return 10.0 * std::log10(std::max(sum / samples.size(), 1e-20));
}

void clippingTable() {
  const auto noise = sorv::test::pinkNoise(-12.0, 8 * kRate);
  std::printf(
      "| setting (pink noise -12 dBFS RMS, 8 s, volume 100) | peak out, dBFS | samples "
      "at or above full scale | samples the limiter lowered by 0.1 dB or more | level against "
      "FLAT, "
      "dB |\n");
  std::printf("|---|---|---|---|---|\n");
  std::vector<sorv::test::EqualizerCase> cases = {{"FLAT", {}}};
  for (const auto& c : sorv::test::equalizerCases()) {
    if (c.name.find(" Hz") == std::string::npos) cases.push_back(c);
  }
  double flatDb = 0.0;
  for (const auto& c : cases) {
    sorv::OutputStage stage;
    stage.prepare(kRate);
    stage.setGains(&c.gains);
    stage.flush();
    std::vector<float> heard(noise.size());
    for (std::size_t at = 0; at < noise.size(); at += 2 * 512) {
      const std::size_t frames = std::min<std::size_t>(512, (noise.size() - at) / 2);
      stage.write(noise.data() + at, frames);
      stage.fill(heard.data() + at, frames);
    }
    // The same through the equalizer alone, to see where the limiter changed anything.
    sorv::Equalizer equalizer(kRate);
    equalizer.setGains(&c.gains);
    equalizer.reset();
    auto plain = noise;
    equalizer.process(plain.data(), plain.size() / 2);
    const std::size_t delay = 2 * sorv::PeakLimiter(kRate).delayFrames();
    std::size_t clipped = 0, touched = 0;
    float peak = 0.0f;
    for (std::size_t i = delay; i < heard.size(); ++i) {
      peak = std::max(peak, std::fabs(heard[i]));
      clipped += std::fabs(heard[i]) >= 1.0f;
      touched += std::fabs(heard[i]) < std::fabs(plain[i - delay]) * 0.9886f;  // by 0.1 dB
    }
    const double level = rmsDb(heard);
    if (c.name == "FLAT") flatDb = level;
    std::printf("| %s | %.2f | %zu | %.3f %% | %+.1f |\n", c.name.c_str(), 20.0 * std::log10(peak),
                clipped, 100.0 * touched / (heard.size() - delay), level - flatDb);
  }
  float peakIn = 0.0f;
  for (const float s : noise) peakIn = std::max(peakIn, std::fabs(s));
  std::printf("\nThe noise itself peaks at %.2f dBFS.\n\n", 20.0 * std::log10(peakIn));
}

}  // namespace

int main() {
  accuracyTable();
  clippingTable();
  return 0;
}
