#pragma once
// The sound output as the engine sees it. Frames are interleaved groups of kOutputStride
// floats: left and right to be played, then left and right as analysed (before the volume),
// so the spectrum follows what is heard without counting the volume twice.
#include <cstddef>
#include <cstdint>

namespace sorv {

inline constexpr std::size_t kOutputStride = 4;

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Opens the device for stereo float at rate Hz, paused. False when no device opens at all.
  virtual bool open(int rate) = 0;
  virtual void close() = 0;

  // Producer thread: queues up to count frames and returns how many were taken. Never blocks.
  virtual std::size_t write(const float* frames, std::size_t count) = 0;
  // Frames that write would take now.
  virtual std::size_t space() const = 0;
  // Frames written but not yet heard: the queue plus the device's own buffer.
  virtual std::size_t delay() const = 0;

  // Starts or holds the device. While held nothing is heard and the heard count stands still.
  virtual void pause(bool paused) = 0;
  // Drops everything queued and clears the heard count and history. Only while no producer
  // writes; returns within the device's callback time.
  virtual void flush() = 0;
  // No more frames follow; drained() becomes true once the last queued frame has been heard.
  virtual void markEnd() = 0;
  virtual bool drained() const = 0;

  // Frames handed to the device since the last flush, minus the device buffer.
  virtual int64_t framesHeard() const = 0;
  // The count most recently heard analysis frames as interleaved stereo, oldest first;
  // count is at most kHistoryFrames.
  static constexpr std::size_t kHistoryFrames = 2048;
  virtual void recentHeard(float* stereo, std::size_t count) const = 0;
};

}  // namespace sorv
