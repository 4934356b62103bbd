#pragma once
// What the sound device's callback does. The decode thread queues plain decoded stereo at the
// output rate, up to about a second and a half ahead; the callback takes what the device asks
// for and only then applies the equalizer, the volume and the peak limiter, so a new setting is
// heard within one device buffer however far ahead the decoder runs. The callback never locks
// or allocates: settings reach it through lock-free mailboxes, sound through a lock-free ring.
// Threads: one producer (write, markEnd), one callback (fill), callers for the rest.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "decoder/Equalizer.h"
#include "decoder/Mailbox.h"
#include "decoder/PeakLimiter.h"
#include "decoder/SpscRing.h"
#include "decoder/Volume.h"

namespace sorv {

class OutputStage {
 public:
  static constexpr std::size_t kRingFrames = 65536;  // 1.49 s at 44.1 kHz
  static constexpr std::size_t kHistoryFrames = 2048;

  OutputStage();

  // Caller, while the callback does not run: the output rate. Settings already made stay.
  void prepare(int rate);

  // Producer: queues up to frames stereo frames, returns how many were taken. Never blocks.
  std::size_t write(const float* stereo, std::size_t frames);
  std::size_t space() const { return ring_.space() / 2; }
  std::size_t queued() const { return ring_.size() / 2; }
  // Producer: nothing follows what was written.
  void markEnd() { endMarked_.store(true, std::memory_order_release); }

  // Caller: heard from the next callback on (cross-faded, ramped).
  void setGains(const Gains* gains);
  void setLevels(int left, int right);
  // A linear gain on top of the levels (1 = none).
  void setLoudnessGain(double gain);
  // The loudest sample of the song that plays (1 = full scale; 0 when not known): the
  // equalizer takes only the headroom that the song, with its loudness gain, lacks.
  void setSongPeak(double peak);

  // The callback: fills frames of stereo output.
  void fill(float* out, std::size_t frames);

  // Caller, while neither the producer nor the callback runs: drops the queued sound and
  // starts afresh, with the settings as they stand and no ramp.
  void flush();

  // True once everything written before markEnd has been handed out, limiter tail included.
  bool drained() const { return drained_.load(std::memory_order_acquire); }
  // Frames of queued sound handed out since the flush, less what the limiter still holds.
  int64_t framesOut() const;
  // Callbacks that found the queue short in the middle of a stream, ever.
  int64_t underruns() const { return underruns_.load(std::memory_order_relaxed); }
  // Frames that sound takes from write to the device, not counting the device's own buffer.
  std::size_t delayFrames() const { return queued() + limiter_->delayFrames(); }
  // The count most recently handed-out frames as equalized (before the volume), oldest first.
  void recentHeard(float* stereo, std::size_t count) const;

 private:
  struct Levels {
    int left = 100, right = 100;
    double gain = 1.0;
  };
  // Caller: posts the equalizer setting with the headroom the song needs.
  void postEqualizer();
  void takeSettings();
  void keepHistory(const float* stereo, std::size_t frames);

  SpscRing ring_;
  int rate_ = 44100;
  std::unique_ptr<EqualizerDesign> design_;  // caller side
  std::optional<Gains> gains_;               // caller side: the last gains asked for
  EqualizerSetting designed_;                // caller side: their design, with all headroom
  double songPeak_ = 0;                      // caller side
  Mailbox<EqualizerSetting> settings_;
  Mailbox<Levels> levels_;
  Levels lastLevels_;  // caller side
  // Callback side.
  std::unique_ptr<Equalizer> equalizer_;
  Volume volume_;
  std::unique_ptr<PeakLimiter> limiter_;
  std::size_t tailLeft_ = 0;  // limiter frames still to hand out after the end
  bool started_ = false;      // a frame came since the flush: a short queue is now a dropout
  std::array<std::atomic<float>, 2 * kHistoryFrames> history_{};
  std::atomic<std::size_t> historyAt_{0};
  std::atomic<int64_t> handed_{0};
  std::atomic<int64_t> underruns_{0};
  std::atomic<bool> endMarked_{false};
  std::atomic<bool> drained_{false};
};

}  // namespace sorv
