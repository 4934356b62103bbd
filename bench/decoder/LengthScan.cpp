// Cost of opening an MP3 stream without an Info header, whose length comes from a walk over all
// its frames. Prints "wall_ms cpu_ms" (best of five) and the length found.
// usage: bench_decoder_length_scan FILE
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "decoder/Mpg123Source.h"
#include "decoder/RegularFile.h"

namespace {

double threadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  double bestWall = 1e9, bestCpu = 1e9;
  int64_t frames = 0;
  int rate = 1;
  for (int run = 0; run < 5; ++run) {
    const double cpu = threadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    const sorv::Descriptor file = sorv::openRegularDescriptor(argv[1]);
    sorv::Mpg123Source source;
    if (!file || !source.open(file.get(), argv[1])) return 1;
    bestWall =
        std::min(bestWall,
                 std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
    bestCpu = std::min(bestCpu, threadCpuMs() - cpu);
    frames = source.lengthFrames();
    rate = source.sampleRate();
  }
  std::printf("%.1f %.1f %.2f\n", bestWall, bestCpu, double(frames) / rate);
  return 0;
}
