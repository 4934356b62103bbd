// Time to start a track as the player does (playData over the real engine): open, stream facts,
// tags, loudness, lyrics and the first drawing, each run as a first start of the file. Prints
// the median and the largest of the runs in milliseconds.
// usage: bench_playback_track_start FILE RUNS
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/session/PlayList.h"
#include "decoder/ThreadedAudioEngine.h"
#include "playback/Playback.h"
#include "tests/common/FakeView.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE RUNS\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int runs = std::max(1, std::atoi(argv[2]));
  sorv::ThreadedAudioEngine engine;
  if (!engine.init() && !engine.initSilent()) return 1;
  sorv::State s;
  s.dbState = sorv::SongDbState::Failed;
  s.loudnessMode = 1;  // ReplayGain tags read; no song database, so no measurement runs
  s.pathDir[5] = QStringLiteral("/nonexistent/");
  sorv::setFileTable(s, {QString::fromLocal8Bit(argv[1])});
  sorv::test::FakeView v;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    s.entry(1).tag = sorv::TagRecord{};
    s.entry(1).stream = sorv::StreamRecord{};
    const auto start = std::chrono::steady_clock::now();
    if (sorv::playData(s, engine, v, 1) != -1) return 1;
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    engine.stop();
  }
  std::sort(times.begin(), times.end());
  std::printf("%.1f %.1f\n", times[times.size() / 2], times.back());
  return 0;
}
