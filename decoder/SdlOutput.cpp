#include "decoder/SdlOutput.h"

#include <SDL2/SDL.h>

namespace sorv {

SdlOutput::~SdlOutput() {
  close();
}

bool SdlOutput::open(int rate) {
  return openDriver(nullptr, rate);
}

bool SdlOutput::openSilent(int rate) {
  return openDriver("dummy", rate);
}

bool SdlOutput::openDriver(const char* driver, int rate) {
  close();
  std::lock_guard lock(mutex_);
  stage_.prepare(rate);
  rate_ = rate;
  paused_ = true;
  open_ = openDevice(driver);
  return open_;
}

bool SdlOutput::openDevice(const char* driver) {
  // The program that owns us handles its own signals: SDL's would swallow SIGTERM and SIGINT.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The driver is chosen as the audio subsystem starts; afterwards the user's choice stands
  // again for the next open.
  if (driver) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
  const int started = SDL_InitSubSystem(SDL_INIT_AUDIO);
  if (driver) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (started != 0) return failed();
  SDL_AudioSpec want{};
  want.freq = rate_;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kDeviceFrames;
  want.callback = &SdlOutput::callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware takes.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    const bool result = failed();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return result;
  }
  deviceFrames_ = have.samples;
  SDL_PauseAudioDevice(device_, paused_ ? 1 : 0);
  openFailure_.clear();
  return true;
}

bool SdlOutput::failed() {
  openFailure_ = SDL_GetError();
  return false;
}

void SdlOutput::closeDevice() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

void SdlOutput::close() {
  std::lock_guard lock(mutex_);
  closeDevice();
  open_ = false;
}

void SdlOutput::pause(bool paused) {
  std::lock_guard lock(mutex_);
  paused_ = paused;
  if (device_ != 0) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

bool SdlOutput::lost() const {
  std::lock_guard lock(mutex_);
  return open_ && (device_ == 0 || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED);
}

// A sound server that went away leaves SDL's backend talking to nothing: the whole audio
// subsystem starts again, so the backend connects to the server that is there now.
bool SdlOutput::reopen() {
  std::lock_guard lock(mutex_);
  if (!open_) return false;
  closeDevice();
  return openDevice(nullptr);
}

void SdlOutput::lockDevice() {
  mutex_.lock();
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

void SdlOutput::unlockDevice() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
  mutex_.unlock();
}

void SdlOutput::callback(void* self, Uint8* stream, int length) {
  const auto frames = static_cast<std::size_t>(length) / (2 * sizeof(float));
  static_cast<SdlOutput*>(self)->stage_.fill(reinterpret_cast<float*>(stream), frames);
}

}  // namespace sorv
