// Time from open to state reporting non-zero after play.
// Prints the median and the largest of the runs in milliseconds.
// usage: bench_decoder_start_latency FILE RUNS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "decoder/ThreadedAudioEngine.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE RUNS\n", argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[2]));
  sorv::ThreadedAudioEngine engine;
  if (!engine.init()) return 1;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    sorv::OpenRecord record;
    if (!engine.open(argv[1], record) || !engine.play()) return 1;
    int32_t position = 0;
    while (engine.state(position) == 0) {
    }
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    engine.stop();
    engine.close();
  }
  std::sort(times.begin(), times.end());
  std::printf("%.2f %.2f\n", times[times.size() / 2], times.back());
  return 0;
}
