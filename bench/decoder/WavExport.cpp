// Wall time of the engine's WAV export in the process: vbmp3_open to vbmp3_getState 0.
// Prints seconds. usage: bench_decoder_wav_export FILE OUT.wav
#include <chrono>
#include <cstdio>
#include <thread>

#include "decoder/Vbmp3Engine.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE OUT.wav\n", argv[0]);
    return 2;
  }
  sorv::Vbmp3Engine engine;
  const auto start = std::chrono::steady_clock::now();
  sorv::OpenRecord record;
  if (!engine.vbmp3_open(argv[1], record) || !engine.vbmp3_decodeWave(argv[2])) return 1;
  int32_t seconds = 0;
  while (engine.vbmp3_getState(seconds) != 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.4f\n", took.count());
  return 0;
}
