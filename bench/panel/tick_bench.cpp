// One 70 ms tick of the main panel's analyser: spectrum rows, oscilloscope trace and the lyric
// check, on the real picture areas with changing data.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cmath>

#include "core/Fonts.h"
#include "decoder/ThreadedAudioEngine.h"
#include "panel/sound/ScopeDisplay.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"

namespace {

using sorv::kBins;

// A moving test signal: a spectrum that falls off with frequency and a two-tone wave.
void fillFrame(sorv::test::FakeEngine& d, int frame) {
  for (int i = 0; i < kBins; ++i) {
    const double level = 100.0 * std::exp(-i / 60.0) * (0.6 + 0.4 * std::sin(frame * 0.3 + i));
    d.spectrumLeft[i] = static_cast<int32_t>(level);
    d.spectrumRight[i] = static_cast<int32_t>(level * 0.8);
    d.waveLeft[i] = static_cast<int32_t>(90 * std::sin((i + frame) * 0.21));
    d.waveRight[i] = static_cast<int32_t>(70 * std::sin((i + frame) * 0.05));
  }
}

struct Rig {
  QWidget panel;
  sorv::State s;
  sorv::test::FakeEngine d;
  sorv::test::FakeView v;
  sorv::ScopeDisplay scope{s, d, v, &panel};

  Rig() {
    s.dispMode = sorv::DisplayMode::Panel;
    s.playState = 1;
    s.showScope = 1;
    s.hasLyrics = 1;
    s.volLevel = {80, 80};
    for (int i = 0; i < 5; ++i) d.lyricsRecord.slot[i] = "歌詞の行 " + std::to_string(i);
  }
};

void BM_TickSteadyLyrics(benchmark::State& state) {
  Rig rig;
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fillFrame(rig.d, frame++);
    state.ResumeTiming();
    rig.scope.scopeTick();
  }
}
BENCHMARK(BM_TickSteadyLyrics)->Unit(benchmark::kMicrosecond);

// The rare tick on which the current lyric line moves on and all five rows are repainted.
void BM_TickLyricChange(benchmark::State& state) {
  Rig rig;
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fillFrame(rig.d, frame);
    rig.d.lyricsRecord.slot[2] = "今の行 " + std::to_string(frame++);
    state.ResumeTiming();
    rig.scope.scopeTick();
  }
}
BENCHMARK(BM_TickLyricChange)->Unit(benchmark::kMicrosecond);

// The same tick with the real engine playing a demo song: its spectrum and wave come from the
// samples being heard, and its lyric timer follows the song's lyric file.
void BM_TickRealEngine(benchmark::State& state) {
  QWidget panel;
  sorv::State s;
  sorv::ThreadedAudioEngine engine;
  sorv::test::FakeView view;
  sorv::ScopeDisplay scope(s, engine, view, &panel);
  const std::string song = std::string(SORV_SOURCE_DIR) + "/demo/songs/hoshizora_opening";
  sorv::OpenRecord record;
  if (!engine.init() || !engine.open(song + ".mp3", record) ||
      !engine.setLyricsFile(song + ".txt") || !engine.play()) {
    state.SkipWithError("the demo song does not play");
    return;
  }
  s.dispMode = sorv::DisplayMode::Panel;
  s.playState = 1;
  s.showScope = 1;
  s.hasLyrics = 1;
  s.volLevel = {80, 80};
  for (auto _ : state) scope.scopeTick();
  engine.release();
}
BENCHMARK(BM_TickRealEngine)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  sorv::registerFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
