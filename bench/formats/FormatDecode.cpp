// CPU time of decoding one whole file through the engine's source for its format, as playback
// reads it (interleaved float blocks). Prints seconds. usage: bench_formats_decode FILE
#include <cstdio>
#include <ctime>
#include <vector>

#include "decoder/AudioSource.h"

namespace {

double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  const double start = cpuSeconds();
  auto source = sorv::openAudioSource(argv[1]);
  if (!source) {
    std::fprintf(stderr, "%s: cannot be decoded\n", argv[1]);
    return 1;
  }
  std::vector<float> block(4096 * source->channels());
  long long frames = 0;
  while (const std::size_t got = source->read(block.data(), 4096)) frames += got;
  std::printf("%.4f\n", cpuSeconds() - start);
  return frames > 0 ? 0 : 1;
}
