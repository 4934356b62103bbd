#pragma once
// Equalizer gains and volume levels handed from the caller's thread to the decode thread.
// The caller writes; the decode thread takes the news at the start of each block it decodes.
#include <atomic>
#include <mutex>
#include <optional>

#include "decoder/Equalizer.h"
#include "decoder/Volume.h"

namespace sorv {

class PlaybackSettings {
 public:
  void setGains(const Gains* gains) {
    std::lock_guard lock(mutex_);
    gains_ = gains ? std::optional<Gains>(*gains) : std::nullopt;
    gainsChanged_ = true;
  }
  void setLevels(int left, int right) {
    std::lock_guard lock(mutex_);
    left_ = left;
    right_ = right;
    levelsChanged_ = true;
  }
  // Decode thread: brings the equalizer and volume up to date (ramped, cross-faded).
  void applyTo(Equalizer& equalizer, Volume& volume) {
    std::lock_guard lock(mutex_);
    if (gainsChanged_) equalizer.setGains(gains_ ? &*gains_ : nullptr);
    if (levelsChanged_) volume.setLevels(left_, right_);
    gainsChanged_ = levelsChanged_ = false;
  }
  // Decode thread, at the start of a stream: everything as it stands, without a ramp.
  void prime(Equalizer& equalizer, Volume& volume) {
    std::lock_guard lock(mutex_);
    equalizer.setGains(gains_ ? &*gains_ : nullptr);
    equalizer.reset();
    volume.setLevelsNow(left_, right_);
    gainsChanged_ = levelsChanged_ = false;
  }

 private:
  std::mutex mutex_;  // held for a copy of ten numbers at most
  std::optional<Gains> gains_;
  int left_ = 100;
  int right_ = 100;
  bool gainsChanged_ = false;
  bool levelsChanged_ = false;
};

}  // namespace sorv
