// The engine's decode thread: playback into the output's ring, or decoding into a WAV file.
#include <SDL2/SDL_thread.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "decoder/Resampler.h"
#include "decoder/ThreadedAudioEngine.h"
#include "decoder/WavWriter.h"

namespace sorv {

namespace {

constexpr std::size_t kBlockFrames = 1024;
constexpr int kStartSeconds = 2;

// Output frames: played left/right, then analysed left/right.
void interleaveForOutput(const float* analysed, const float* played, std::size_t frames,
                         float* out) {
  for (std::size_t i = 0; i < frames; ++i) {
    out[kOutputStride * i] = played[2 * i];
    out[kOutputStride * i + 1] = played[2 * i + 1];
    out[kOutputStride * i + 2] = analysed[2 * i];
    out[kOutputStride * i + 3] = analysed[2 * i + 1];
  }
}

}  // namespace

void ThreadedAudioEngine::startWorker(void (ThreadedAudioEngine::*loop)()) {
  stopWorker();
  stopRequested_ = false;
  workerDone_ = false;
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

std::size_t ThreadedAudioEngine::leadFrames() const {
  const int64_t heard = output_->framesHeard();
  const bool starting = heard < static_cast<int64_t>(kStartSeconds) * outputRate_;
  const int leadMs = starting ? std::max(kSteadyLeadMs, cpuLoad_ * 10) : kSteadyLeadMs;
  return static_cast<std::size_t>(outputRate_) * leadMs / 1000;
}

void ThreadedAudioEngine::playLoop() {
  // The output waits on this thread; where the system allows, it runs ahead of busy work.
  SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
  const int channels = source_->channels();
  std::vector<float> decoded(kBlockFrames * channels);
  std::vector<float> analysed(kBlockFrames * 2), played(kBlockFrames * 2);
  std::vector<float> frames(kBlockFrames * kOutputStride);
  Equalizer equalizer(source_->sampleRate());
  Volume volume(source_->sampleRate());
  settings_.prime(equalizer, volume);
  Resampler resampler(source_->sampleRate(), outputRate_);
  bool last = false;
  while (!stopRequested_ && !last) {
    const std::size_t delay = output_->delay(), lead = leadFrames();
    if (delay >= lead) {
      // Wake when the queue is down to the lead again: one block per wake.
      idle(std::chrono::microseconds(
          std::max<int64_t>(1000, static_cast<int64_t>(delay - lead) * 1000000 / outputRate_)));
      continue;
    }
    settings_.applyTo(equalizer, volume);
    const std::size_t count = source_->read(decoded.data(), kBlockFrames);
    last = count == 0;
    toStereo(decoded.data(), count, channels, analysed.data());
    equalizer.process(analysed.data(), count);
    std::copy_n(analysed.begin(), count * 2, played.begin());
    volume.process(played.data(), count);
    interleaveForOutput(analysed.data(), played.data(), count, frames.data());
    decodedFrames_ += static_cast<int64_t>(count);
    const auto& out = resampler.run(frames.data(), count, last);
    std::size_t written = 0;
    const std::size_t total = out.size() / kOutputStride;
    while (written < total && !stopRequested_) {
      written += output_->write(out.data() + written * kOutputStride, total - written);
      if (written < total) idle(std::chrono::milliseconds(2));
    }
  }
  if (last) output_->markEnd();
  workerDone_ = true;
}

void ThreadedAudioEngine::waveLoop() {
  const int channels = waveSource_->channels();
  std::vector<int16_t> decoded(16 * kBlockFrames * channels);
  bool ok = true;
  while (!stopRequested_ && ok) {
    const std::size_t count = waveSource_->readPcm16(decoded.data(), 16 * kBlockFrames);
    if (count == 0) break;
    ok = wave_->write(decoded.data(), count);
    decodedFrames_ += static_cast<int64_t>(count);
  }
  if (!stopRequested_ && ok) wave_->finish();  // a failed file is removed by the writer
  workerDone_ = true;
}

}  // namespace sorv
