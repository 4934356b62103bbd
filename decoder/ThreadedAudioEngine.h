#pragma once
// The audio engine. One open file at a time; a decode thread reads the file, resamples it to
// the output rate and keeps about a second of it queued ahead of the output; the output applies
// the equalizer, volume and limiter as the device takes the sound, so a setting is heard within
// one device buffer while the long queue rides out a busy machine. Positions, lyrics and the
// spectrum follow what is being heard.
//
// State: state only reads. The decode thread itself notices that the last frame has
// been heard, moves to the finished state and calls the end handler. A seek that cannot be
// done while playing goes on from where it was; when even that fails, playback stops
// (state 0).
//
// Options: field[2] of the engine option record (processor load right after a start, 0..100)
// is kept and reported; the one-second queue covers any start-up load.
// Lyrics timing (setLyricsTiming): 1 times lines against the heard position, 0 a little
// ahead of it (kDecodedAheadMs, where older players' decoded position ran).
// setLyricsLead shows each line that many milliseconds before its time.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "decoder/AudioEngine.h"
#include "decoder/AudioOutput.h"
#include "decoder/AudioSource.h"
#include "decoder/LyricTimer.h"
#include "decoder/RegularFile.h"
#include "decoder/SoundAnalyzer.h"

namespace sorv {

class ThreadedAudioEngine : public AudioEngine {
 public:
  static constexpr int32_t kVersion = 100;
  static constexpr int kLeadMs = 1000;
  static constexpr int kRefillMs = 750;  // the queue is topped up when it falls below this
  static constexpr int kDefaultCpuLoad = 10;
  static constexpr int kDecodedAheadMs = 50;
  // How long a lost output is tried again before the track stops: a sound server restarts in
  // a few seconds.
  static constexpr auto kRegainTime = std::chrono::seconds(10);

  // output: the sound output to use; by default SDL2.
  explicit ThreadedAudioEngine(std::unique_ptr<AudioOutput> output = nullptr);
  ~ThreadedAudioEngine() override;

  int init() override;
  int initSilent() override;
  std::string initFailure() const override { return output_->openFailure(); }
  void release() override;
  int getEngineOption(EngineOption& option) override;
  int setEngineOption(const EngineOption& option) override;
  int setDecodeOption(const DecodeOption& option) override;
  int32_t version() override { return kVersion; }

  int open(const std::string& path, OpenRecord& record) override;
  const SongFacts& openedFacts() const override { return facts_; }
  int play() override;
  void stop() override;
  void close() override;
  void pause() override;
  void resume() override;
  int32_t state(int32_t& position) override;
  void seek(int32_t seconds) override;

  void setVolume(int32_t left, int32_t right) override;
  void setLoudnessGain(double db) override;
  void setSongPeak(double peak) override;
  void setEqualizer(const Gains* gains) override;
  void reload() override;

  int fileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) override;
  void fillGenreName(TagRecord& tag) override;

  void spectrum(Bins& left, Bins& right) override;
  void wave(Bins& left, Bins& right) override;

  int setLyricsFile(const std::string& path) override;
  void setLyricsTiming(int32_t mode) override { lyricsMode_ = mode; }
  void lyrics(LyricsRecord& record) override;
  void setLyricsLead(int32_t milliseconds) override;

  int decodeToWav(const std::string& target) override;
  bool waveWritten() const override { return waveWritten_; }

  void setEndHandler(std::function<void()> handler) override;
  void setOutputLostHandler(std::function<void()> handler) override;

  // Heard position in milliseconds (finer than state()'s seconds).
  int64_t heardMs() const;
  // Times the output found its queue short in the middle of a track, since the engine was made.
  int64_t underruns() const { return output_->underruns(); }

 private:
  enum class Mode { Idle, Stopped, Playing, Paused, Finished, Decoding };

  // Opens the output as init or initSilent chose; true when it is open.
  bool openOutput();
  void startWorker(void (ThreadedAudioEngine::*loop)());
  // Decode thread: sleeps for the time given or until a stop is asked for.
  void idle(std::chrono::microseconds time);
  void stopWorker();
  void playLoop();
  // Decode thread: waits until the last frame has been heard, then finishes the track.
  void finishWhenHeard();
  // Decode thread: true while the output is there, or once a lost one is open again (the sound
  // waits meanwhile, so the position holds); false when it stayed away for kRegainTime, after
  // the track was stopped and the lost handler called.
  bool keepOutput();
  void waveLoop();
  void haltPlayback();
  // Decode thread: writes all of frames to the output, waiting for room.
  void writeAll(const std::vector<float>& frames);

  std::unique_ptr<AudioOutput> output_;
  bool outputOpen_ = false;
  bool silent_ = false;  // no sound device: the output drops what it takes
  int outputRate_ = 44100;
  std::atomic<int> cpuLoad_{kDefaultCpuLoad};  // read by the decode thread

  std::string path_;
  Descriptor file_;  // the open file, read by the sources through descriptors of their own
  std::unique_ptr<AudioSource> source_;
  SongFacts facts_;
  int64_t lengthFrames_ = 0;
  std::atomic<Mode> mode_{Mode::Idle};
  int64_t startFrame_ = 0;  // source frame where the current run began; caller thread only

  std::thread worker_;
  std::atomic<bool> stopRequested_{false};
  std::mutex wakeMutex_;
  std::condition_variable wake_;           // ends the decode thread's idle waits at a stop
  std::atomic<int64_t> decodedFrames_{0};  // source frames decoded in the current run
  std::atomic<bool> waveWritten_{false};
  // The WAV export reads its own 16-bit source, so playback keeps its float one.
  std::unique_ptr<AudioSource> waveSource_;
  std::unique_ptr<class WavWriter> wave_;

  std::mutex endMutex_;
  std::function<void()> endHandler_;
  std::function<void()> lostHandler_;
  SoundAnalyzer analyzer_;
  LyricTimer lyrics_;
  int32_t lyricsMode_ = 0;
};

}  // namespace sorv
