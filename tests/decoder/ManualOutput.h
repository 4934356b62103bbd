#pragma once
// The engine's real output stage with the test as its sound device: nothing is heard until the
// test pulls frames, so what the device callback does can be followed frame by frame.
#include <atomic>
#include <mutex>
#include <vector>

#include "decoder/AudioOutput.h"

namespace sorv::test {

class ManualOutput : public AudioOutput {
 public:
  bool open(int rate) override {
    stage_.prepare(rate);
    return true;
  }
  bool openSilent(int rate) override { return open(rate); }
  void close() override {}
  void pause(bool paused) override { paused_ = paused; }
  bool paused() const { return paused_; }
  // The device goes away under the engine; it can be opened again once `reopens` says so.
  void loseDevice() { lost_ = true; }
  void allowReopen(bool reopens) { reopens_ = reopens; }
  bool lost() const override { return lost_; }
  bool reopen() override {
    if (reopens_) lost_ = false;
    return reopens_;
  }

  // One device callback of the given size; silence while the device is held.
  std::vector<float> pull(std::size_t frames) {
    std::vector<float> out(2 * frames, 0.0f);
    std::lock_guard lock(callback_);
    if (!paused_) stage_.fill(out.data(), frames);
    return out;
  }

 protected:
  std::size_t deviceFrames() const override { return 0; }
  void lockDevice() override { callback_.lock(); }
  void unlockDevice() override { callback_.unlock(); }

 private:
  std::mutex callback_;
  std::atomic<bool> paused_{true};
  std::atomic<bool> lost_{false};
  std::atomic<bool> reopens_{false};
};

}  // namespace sorv::test
