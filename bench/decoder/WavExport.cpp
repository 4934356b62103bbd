// Wall time of the engine's WAV export in the process: open to state 0.
// Prints seconds. usage: bench_decoder_wav_export FILE OUT.wav
#include <chrono>
#include <cstdio>
#include <thread>

#include "decoder/ThreadedAudioEngine.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE OUT.wav\n", argv[0]);
    return 2;
  }
  sorv::ThreadedAudioEngine engine;
  const auto start = std::chrono::steady_clock::now();
  sorv::OpenRecord record;
  if (!engine.open(argv[1], record) || !engine.decodeToWav(argv[2])) return 1;
  int32_t seconds = 0;
  while (engine.state(seconds) != 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.4f\n", took.count());
  return 0;
}
