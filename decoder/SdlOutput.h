#pragma once
// The sound output on SDL2. The device callback runs the output stage: no locks, no
// allocation.
#include <SDL2/SDL_audio.h>

#include "decoder/AudioOutput.h"

namespace sorv {

class SdlOutput : public AudioOutput {
 public:
  SdlOutput() = default;
  ~SdlOutput() override;
  SdlOutput(const SdlOutput&) = delete;
  SdlOutput& operator=(const SdlOutput&) = delete;

  bool open(int rate) override;
  void close() override;
  void pause(bool paused) override;

 protected:
  std::size_t deviceFrames() const override { return deviceFrames_; }
  void lockDevice() override;
  void unlockDevice() override;

 private:
  static void callback(void* self, Uint8* stream, int length);

  static constexpr int kDeviceFrames = 2048;

  SDL_AudioDeviceID device_ = 0;
  std::size_t deviceFrames_ = 0;
};

}  // namespace sorv
