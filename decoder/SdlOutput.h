#pragma once
// The sound output on SDL2. The device callback runs the output stage: no locks, no
// allocation.
#include <SDL2/SDL_audio.h>

#include <mutex>

#include "decoder/AudioOutput.h"

namespace sorv {

class SdlOutput : public AudioOutput {
 public:
  SdlOutput() = default;
  ~SdlOutput() override;
  SdlOutput(const SdlOutput&) = delete;
  SdlOutput& operator=(const SdlOutput&) = delete;

  bool open(int rate) override;
  bool openSilent(int rate) override;
  void close() override;
  void pause(bool paused) override;
  bool lost() const override;
  bool reopen() override;

 protected:
  std::size_t deviceFrames() const override { return deviceFrames_; }
  void lockDevice() override;
  void unlockDevice() override;

 private:
  // driver: SDL's audio driver by name, or nullptr for the user's or SDL's choice.
  bool openDriver(const char* driver, int rate);
  // With the lock held: starts SDL's audio and opens the device at rate_, held or running as
  // paused_ says.
  bool openDevice(const char* driver);
  void closeDevice();
  // Keeps SDL's reason for the failed open; false.
  bool failed();
  static void callback(void* self, Uint8* stream, int length);

  // Each callback wakes a thread, which costs more than the work done in it; 46 ms at 44.1 kHz
  // still lets an equalizer or volume change be heard well within 100 ms.
  static constexpr int kDeviceFrames = 2048;

  // The device is opened again from the decode thread when it is lost, so every use of it
  // holds this lock.
  mutable std::mutex mutex_;
  SDL_AudioDeviceID device_ = 0;
  bool open_ = false;  // opened by the engine and not closed since, even while lost
  bool paused_ = true;
  int rate_ = 44100;
  std::size_t deviceFrames_ = 0;
};

}  // namespace sorv
