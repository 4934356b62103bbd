// CPU time of playback with the equalizer on and the spectrum and wave polled every 70 ms, as
// the main panel does. Prints the process CPU seconds per minute of playback.
// usage: bench_decoder_playback_cpu FILE SECONDS
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "decoder/ThreadedAudioEngine.h"

namespace {

double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE SECONDS\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[2]);
  sorv::ThreadedAudioEngine engine;
  sorv::OpenRecord record;
  if (!engine.init() || !engine.open(argv[1], record)) return 1;
  const sorv::Gains gains{60, 40, 20, 0, -20, -20, 0, 20, 40, 60};
  engine.setEqualizer(&gains);
  engine.setVolume(80, 80);
  engine.play();
  const double cpuStart = processCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  sorv::Bins left, right;
  int32_t position = 0;
  while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(seconds)) {
    engine.spectrum(left, right);
    engine.wave(left, right);
    if (engine.state(position) == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(70));
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = processCpuSeconds() - cpuStart;
  std::printf("%.4f\n", cpu / wall * 60.0);
  return 0;
}
