// The engine's decode thread: playback into the output's queue, or decoding into a WAV file.
#include <SDL2/SDL_thread.h>

#include <algorithm>
#include <chrono>

#include "decoder/Resampler.h"
#include "decoder/ThreadedAudioEngine.h"
#include "decoder/WavWriter.h"

namespace sorv {

namespace {

constexpr std::size_t kBlockFrames = 1024;
constexpr auto kDrainPoll = std::chrono::milliseconds(5);
constexpr auto kRegainPoll = std::chrono::milliseconds(250);

}  // namespace

void ThreadedAudioEngine::startWorker(void (ThreadedAudioEngine::*loop)()) {
  stopWorker();
  stopRequested_ = false;
  decodedFrames_ = 0;
  worker_ = std::thread(loop, this);
}

// The loops look at stopRequested_ between blocks of at most about 10 ms of decoding and their
// waits end at once, so this returns within a few milliseconds.
void ThreadedAudioEngine::stopWorker() {
  {
    std::lock_guard lock(wakeMutex_);
    stopRequested_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void ThreadedAudioEngine::idle(std::chrono::microseconds time) {
  std::unique_lock lock(wakeMutex_);
  wake_.wait_for(lock, time, [this] { return stopRequested_.load(); });
}

void ThreadedAudioEngine::writeAll(const std::vector<float>& frames) {
  std::size_t written = 0;
  const std::size_t total = frames.size() / 2;
  while (written < total && !stopRequested_) {
    written += output_->write(frames.data() + 2 * written, total - written);
    if (written < total) idle(std::chrono::milliseconds(10));
  }
}

void ThreadedAudioEngine::playLoop() {
  // The output waits on this thread; where the system allows, it runs ahead of busy work.
  SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
  const int channels = source_->channels();
  std::vector<float> decoded(kBlockFrames * channels), stereo(kBlockFrames * 2);
  Resampler resampler(source_->sampleRate(), outputRate_);
  const auto ms = [this](int milliseconds) {
    return static_cast<std::size_t>(outputRate_) * milliseconds / 1000;
  };
  bool last = false;
  while (!stopRequested_ && !last) {
    if (!keepOutput()) return;
    // Fill up to the lead, then sleep until the queue has fallen to the refill mark.
    if (const std::size_t delay = output_->delay(); delay >= ms(kLeadMs)) {
      idle(std::chrono::microseconds((delay - ms(kRefillMs)) * 1000000 / outputRate_));
      continue;
    }
    const std::size_t count = source_->read(decoded.data(), kBlockFrames);
    last = count == 0;
    toStereo(decoded.data(), count, channels, stereo.data());
    decodedFrames_ += static_cast<int64_t>(count);
    writeAll(resampler.run(stereo.data(), count, last));
  }
  if (last) {
    output_->markEnd();
    finishWhenHeard();
  }
}

void ThreadedAudioEngine::finishWhenHeard() {
  while (!stopRequested_ && keepOutput()) {
    Mode playing = Mode::Playing;
    if (output_->drained() && mode_.compare_exchange_strong(playing, Mode::Finished)) {
      output_->pause(true);
      std::lock_guard lock(endMutex_);
      if (endHandler_) endHandler_();
      return;
    }
    idle(kDrainPoll);
  }
}

bool ThreadedAudioEngine::keepOutput() {
  if (!output_->lost()) return true;
  const auto giveUp = std::chrono::steady_clock::now() + kRegainTime;
  while (!output_->reopen()) {
    if (stopRequested_) return true;
    if (std::chrono::steady_clock::now() >= giveUp) {
      Mode playing = Mode::Playing, paused = Mode::Paused;
      if (mode_.compare_exchange_strong(playing, Mode::Stopped) ||
          mode_.compare_exchange_strong(paused, Mode::Stopped)) {
        std::lock_guard lock(endMutex_);
        if (lostHandler_) lostHandler_();
      }
      return false;
    }
    idle(kRegainPoll);
  }
  return true;
}

void ThreadedAudioEngine::waveLoop() {
  const int channels = waveSource_->channels();
  const bool deep = waveSource_->bitsPerSample() > 16;
  std::vector<int16_t> decoded(deep ? 0 : 16 * kBlockFrames * channels);
  std::vector<float> deepDecoded(deep ? 16 * kBlockFrames * channels : 0);
  bool ok = true;
  while (!stopRequested_ && ok) {
    const std::size_t count = deep ? waveSource_->read(deepDecoded.data(), 16 * kBlockFrames)
                                   : waveSource_->readPcm16(decoded.data(), 16 * kBlockFrames);
    if (count == 0) break;
    ok = deep ? wave_->write24(deepDecoded.data(), count) : wave_->write(decoded.data(), count);
    decodedFrames_ += static_cast<int64_t>(count);
  }
  if (stopRequested_) return;
  // A failed file is removed by the writer, and the target left as it was.
  waveWritten_ = ok && wave_->finish();
  if (!ok) wave_->abandon();
  // Finished reads as state 0 with the decoded seconds, like a track played to its end.
  Mode decoding = Mode::Decoding;
  mode_.compare_exchange_strong(decoding, Mode::Finished);
}

}  // namespace sorv
