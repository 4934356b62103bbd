#pragma once
// What the library benchmarks share: a 20,000-song library with its database in a folder of its
// own, messages on the error stream, and the median of a few timed runs.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/Messages.h"
#include "tests/library/LargeLibrary.h"

namespace sorv::bench {

inline constexpr int kSongs = 20000;

struct BenchLibrary {
  BenchLibrary() {
    setMessageHandler([](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    test::LargeLibrary::make(root, dbPath, kSongs);
  }
  QTemporaryDir dir;
  QString root = dir.path() + "/music/";
  QString dbPath = dir.path() + "/sorvdb.mdb";
};

// Median of runs runs of run, in milliseconds; before runs untimed ahead of each.
inline double medianMs(int runs, const std::function<void()>& run,
                       const std::function<void()>& before = {}) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (before) before();
    QElapsedTimer timer;
    timer.start();
    run();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[runs / 2];
}

}  // namespace sorv::bench
