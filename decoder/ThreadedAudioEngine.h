#pragma once
// The audio engine. One open file at a time; a decode thread reads the file, applies the
// equalizer and volume, resamples to the output rate and fills the output's ring; the output
// plays from the ring. Positions, lyrics and the spectrum follow what is being heard.
//
// Options: field[2] of the engine option record is the processor load right after a start,
// 0..100 (10 by default). For the first two seconds of a track the engine keeps that many
// times 10 ms decoded ahead (default 100 ms), so a busy start cannot starve the output; higher
// values decode more in the first moments. After that it keeps kSteadyLeadMs queued (the
// device's own 512 frames included) and decodes 1024 frames each time the queue falls to that
// mark, so new equalizer and volume settings are heard within lead + block, under 50 ms.
// Lyrics timing (setLyricsTiming): 1 times lines against the heard position, 0 against
// the decoded position (a little ahead, as older players did). setLyricsLead
// shows each line that many milliseconds before its time.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "decoder/AudioEngine.h"
#include "decoder/AudioOutput.h"
#include "decoder/AudioSource.h"
#include "decoder/LyricTimer.h"
#include "decoder/PlaybackSettings.h"
#include "decoder/SoundAnalyzer.h"

namespace sorv {

class ThreadedAudioEngine : public AudioEngine {
 public:
  static constexpr int32_t kVersion = 100;
  static constexpr int kSteadyLeadMs = 25;
  static constexpr int kDefaultCpuLoad = 10;

  // output: the sound output to use; by default SDL2.
  explicit ThreadedAudioEngine(std::unique_ptr<AudioOutput> output = nullptr);
  ~ThreadedAudioEngine() override;

  int init() override;
  void release() override;
  int getEngineOption(EngineOption& option) override;
  int setEngineOption(const EngineOption& option) override;
  int setDecodeOption(const DecodeOption& option) override;
  int32_t version() override { return kVersion; }

  int open(const std::string& path, OpenRecord& record) override;
  int play() override;
  void stop() override;
  void close() override;
  void pause() override;
  void resume() override;
  int32_t state(int32_t& position) override;
  void seek(int32_t seconds) override;

  void setVolume(int32_t left, int32_t right) override;
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

  // Heard position in milliseconds (finer than state()'s seconds).
  int64_t heardMs() const;

 private:
  enum class Mode { Idle, Stopped, Playing, Paused, Finished, Decoding };

  void startWorker(void (ThreadedAudioEngine::*loop)());
  // Decode thread: sleeps for the time given or until a stop is asked for.
  void idle(std::chrono::microseconds time);
  void stopWorker();
  void playLoop();
  void waveLoop();
  void haltPlayback();
  std::size_t leadFrames() const;

  std::unique_ptr<AudioOutput> output_;
  bool outputOpen_ = false;
  int outputRate_ = 44100;
  std::atomic<int> cpuLoad_{kDefaultCpuLoad};  // read by the decode thread

  std::string path_;
  std::unique_ptr<AudioSource> source_;
  int64_t lengthFrames_ = 0;
  std::atomic<Mode> mode_{Mode::Idle};
  int64_t startFrame_ = 0;  // source frame where the current run began

  std::thread worker_;
  std::atomic<bool> stopRequested_{false};
  std::mutex wakeMutex_;
  std::condition_variable wake_;           // ends the decode thread's idle waits at a stop
  std::atomic<int64_t> decodedFrames_{0};  // source frames decoded in the current run
  std::atomic<bool> workerDone_{false};
  // The WAV export reads its own 16-bit source, so playback keeps its float one.
  std::unique_ptr<AudioSource> waveSource_;
  std::unique_ptr<class WavWriter> wave_;

  PlaybackSettings settings_;
  SoundAnalyzer analyzer_;
  LyricTimer lyrics_;
  int32_t lyricsMode_ = 0;
};

}  // namespace sorv
