#pragma once
// The sound output on SDL2. The device callback only copies out of a lock-free ring, keeps
// the heard history for analysis and advances the heard-frame count: no locks, no allocation.
#include <SDL2/SDL_audio.h>

#include <array>
#include <atomic>
#include <vector>

#include "decoder/AudioOutput.h"
#include "decoder/SpscRing.h"

namespace sorv {

class SdlOutput : public AudioOutput {
 public:
  SdlOutput();
  ~SdlOutput() override;
  SdlOutput(const SdlOutput&) = delete;
  SdlOutput& operator=(const SdlOutput&) = delete;

  bool open(int rate) override;
  void close() override;

  std::size_t write(const float* frames, std::size_t count) override;
  std::size_t space() const override;
  std::size_t delay() const override;

  void pause(bool paused) override;
  void flush() override;
  void markEnd() override;
  bool drained() const override { return drained_.load(std::memory_order_acquire); }

  int64_t framesHeard() const override;
  void recentHeard(float* stereo, std::size_t count) const override;

 private:
  static void callback(void* self, Uint8* stream, int length);
  void fill(float* out, std::size_t frames);
  void keepHistory(const float* frames, std::size_t count);

  static constexpr std::size_t kRingFrames = 65536;
  static constexpr std::size_t kDeviceFrames = 512;

  SpscRing ring_;
  std::vector<float> scratch_;  // callback's copy area, sized once at open
  std::array<std::atomic<float>, 2 * kHistoryFrames> history_{};
  std::atomic<std::size_t> historyAt_{0};  // frames ever written to the history
  std::atomic<int64_t> handed_{0};         // frames handed to the device since the last flush
  std::atomic<bool> endMarked_{false};
  std::atomic<bool> drained_{false};
  SDL_AudioDeviceID device_ = 0;
  int deviceFrames_ = 0;
};

}  // namespace sorv
