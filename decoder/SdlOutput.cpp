#include "decoder/SdlOutput.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace sorv {

SdlOutput::SdlOutput() : ring_(kRingFrames * kOutputStride) {}

SdlOutput::~SdlOutput() {
  close();
}

bool SdlOutput::open(int rate) {
  close();
  // The program that owns us handles its own signals: SDL's would swallow SIGTERM and SIGINT.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kDeviceFrames;
  want.callback = &SdlOutput::callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware takes.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  deviceFrames_ = have.samples;
  scratch_.assign(kDeviceFrames * kOutputStride, 0.0f);
  flush();
  return true;
}

void SdlOutput::close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
}

std::size_t SdlOutput::write(const float* frames, std::size_t count) {
  return ring_.push(frames, count * kOutputStride) / kOutputStride;
}

std::size_t SdlOutput::space() const {
  return ring_.space() / kOutputStride;
}

std::size_t SdlOutput::delay() const {
  return ring_.size() / kOutputStride + static_cast<std::size_t>(deviceFrames_);
}

void SdlOutput::pause(bool paused) {
  if (device_ != 0) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void SdlOutput::flush() {
  if (device_ != 0) SDL_LockAudioDevice(device_);
  ring_.clear();
  handed_.store(0);
  endMarked_.store(false);
  drained_.store(false);
  for (auto& value : history_) value.store(0.0f, std::memory_order_relaxed);
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SdlOutput::markEnd() {
  endMarked_.store(true, std::memory_order_release);
}

int64_t SdlOutput::framesHeard() const {
  return std::max<int64_t>(0, handed_.load(std::memory_order_acquire) - deviceFrames_);
}

void SdlOutput::recentHeard(float* stereo, std::size_t count) const {
  count = std::min(count, kHistoryFrames);
  const std::size_t end = historyAt_.load(std::memory_order_acquire);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = ((end - count + i) % kHistoryFrames) * 2;
    stereo[2 * i] = history_[at].load(std::memory_order_relaxed);
    stereo[2 * i + 1] = history_[at + 1].load(std::memory_order_relaxed);
  }
}

void SdlOutput::callback(void* self, Uint8* stream, int length) {
  const auto frames = static_cast<std::size_t>(length) / (2 * sizeof(float));
  static_cast<SdlOutput*>(self)->fill(reinterpret_cast<float*>(stream), frames);
}

void SdlOutput::fill(float* out, std::size_t frames) {
  std::size_t done = 0;
  while (done < frames) {
    const std::size_t want = std::min(frames - done, kDeviceFrames);
    const std::size_t got = ring_.pop(scratch_.data(), want * kOutputStride) / kOutputStride;
    for (std::size_t i = 0; i < got; ++i) {
      out[2 * (done + i)] = scratch_[kOutputStride * i];
      out[2 * (done + i) + 1] = scratch_[kOutputStride * i + 1];
    }
    keepHistory(scratch_.data(), got);
    handed_.fetch_add(static_cast<int64_t>(got), std::memory_order_release);
    done += got;
    if (got < want) break;
  }
  std::fill(out + 2 * done, out + 2 * frames, 0.0f);
  if (done < frames && endMarked_.load(std::memory_order_acquire) && ring_.size() == 0) {
    drained_.store(true, std::memory_order_release);
  }
}

void SdlOutput::keepHistory(const float* frames, std::size_t count) {
  std::size_t at = historyAt_.load(std::memory_order_relaxed);
  for (std::size_t i = 0; i < count; ++i, ++at) {
    const std::size_t slot = (at % kHistoryFrames) * 2;
    history_[slot].store(frames[kOutputStride * i + 2], std::memory_order_relaxed);
    history_[slot + 1].store(frames[kOutputStride * i + 3], std::memory_order_relaxed);
  }
  historyAt_.store(at, std::memory_order_release);
}

}  // namespace sorv
