// CPU time of measuring one file's loudness as `sorvdb loudness` does (decode and EBU R128
// meter). Prints seconds. usage: bench_formats_loudness FILE
#include <cstdio>
#include <ctime>

#include "decoder/Loudness.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  timespec start{}, end{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
  const auto loudness = sorv::measureLoudness(argv[1]);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
  if (!loudness) {
    std::fprintf(stderr, "%s: cannot be measured\n", argv[1]);
    return 1;
  }
  std::printf("%.4f\n",
              static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9);
  return 0;
}
