#pragma once
// The sound output as the engine sees it: a device that pulls stereo float frames through an
// OutputStage (queue, equalizer, volume, limiter). Each device implements opening, closing,
// holding and the exclusion of its callback; the rest is the stage's.
#include <cstddef>
#include <cstdint>
#include <string>

#include "decoder/OutputStage.h"

namespace sorv {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Opens the device for stereo float at rate Hz, paused. False when no device opens at all.
  virtual bool open(int rate) = 0;
  // The same with no sound device behind it: frames are taken at a device's pace and dropped.
  virtual bool openSilent(int rate) = 0;
  virtual void close() = 0;
  // Starts or holds the device. While held nothing is heard and the heard count stands still.
  virtual void pause(bool paused) = 0;
  // True when the open device went away under the program (a sound server that ended or
  // restarted): what it takes is heard nowhere.
  virtual bool lost() const = 0;
  // Opens a lost device again, held or running as it was, with the queued sound and the heard
  // count kept. False when it cannot be opened yet; it stays lost then, and may be tried again.
  virtual bool reopen() = 0;
  // Why the last open failed, in the sound system's words; empty when it succeeded.
  const std::string& openFailure() const { return openFailure_; }

  // Producer thread: queues up to count stereo frames and returns how many were taken. Never
  // blocks.
  std::size_t write(const float* frames, std::size_t count) { return stage_.write(frames, count); }
  // Frames that write would take now.
  std::size_t space() const { return stage_.space(); }
  // Frames written but not yet heard: the queue, the limiter and the device's own buffer.
  std::size_t delay() const { return stage_.delayFrames() + deviceFrames(); }
  // No more frames follow; drained() becomes true once the last queued frame has been heard.
  void markEnd() { stage_.markEnd(); }
  bool drained() const { return stage_.drained(); }

  // Drops everything queued and clears the heard count and history. Only while no producer
  // writes; returns within the device's callback time.
  void flush();
  // Equalizer gains (nullptr: off) and volume levels, heard within one device buffer.
  void setGains(const Gains* gains) { stage_.setGains(gains); }
  void setLevels(int left, int right) { stage_.setLevels(left, right); }
  void setLoudnessGain(double gain) { stage_.setLoudnessGain(gain); }
  void setSongPeak(double peak) { stage_.setSongPeak(peak); }

  // Frames handed to the device since the last flush, minus the device buffer.
  int64_t framesHeard() const;
  // Times the device found the queue short in the middle of a stream, since it was made.
  int64_t underruns() const { return stage_.underruns(); }
  // The count most recently heard frames as equalized (before the volume), interleaved stereo,
  // oldest first; count is at most kHistoryFrames.
  static constexpr std::size_t kHistoryFrames = OutputStage::kHistoryFrames;
  void recentHeard(float* stereo, std::size_t count) const { stage_.recentHeard(stereo, count); }

 protected:
  // The device's own buffer in frames.
  virtual std::size_t deviceFrames() const = 0;
  // Keep the device's callback out between lock and unlock.
  virtual void lockDevice() = 0;
  virtual void unlockDevice() = 0;

  OutputStage stage_;
  std::string openFailure_;
};

}  // namespace sorv
