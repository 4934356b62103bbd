#pragma once
// A recording stand-in for the engine, for tests where timing or the exact call order matters.
// Every call is logged as a short text ("open /a.mp3", "play", "setEqualizer null", ...).
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "decoder/AudioEngine.h"

namespace sorv::test {

class FakeEngine : public AudioEngine {
 public:
  // What the fake answers.
  int initResult = 1;
  int initSilentResult = 1;
  std::string initFailureText;
  int32_t engineState = 0;  // returned by getState; open/play/stop/pause/restart move it
  int32_t position = 0;
  int32_t versionNumber = 100;
  int playResult = 1;
  int setOptionResult = 1;
  int decodeWaveResult = 1;
  bool waveWrittenResult = true;          // what waveWritten reports
  std::set<std::string> unopenable;       // paths whose open fails
  std::set<std::string> lyricFiles;       // paths that setLyricsFile accepts
  std::map<std::string, TagRecord> tags;  // getFileInfo and openedFacts answers
  std::map<std::string, StreamRecord> streams;
  std::map<std::string, TaggedLoudness> loudness;  // the ReplayGain tags an open reads
  EngineOption option{};
  Bins spectrumLeft{}, spectrumRight{}, waveLeft{}, waveRight{};
  LyricsRecord lyricsRecord;
  // After play(), getState reports 0 for this many calls before the playing state (tests the
  // bounded wait); -1 never reports playing.
  int statePollsBeforePlaying = 0;

  // What the fake saw.
  std::vector<std::string> calls;
  std::string openPath;
  int fileInfoReads = 0;
  bool equalizerOn = false;
  Gains gains{};
  int32_t volumeLeft = -1, volumeRight = -1;
  int32_t lyricsTimeMode = -1, nextAdjustTime = -1;

  int count(const std::string& call) const;
  bool called(const std::string& call) const { return count(call) > 0; }
  void clearCalls() { calls.clear(); }

  int init() override;
  int initSilent() override;
  std::string initFailure() const override { return initFailureText; }
  void release() override;
  int getEngineOption(EngineOption& o) override;
  int setEngineOption(const EngineOption& o) override;
  int setDecodeOption(const DecodeOption& o) override;
  int32_t version() override;
  int open(const std::string& path, OpenRecord& record) override;
  const SongFacts& openedFacts() const override { return facts_; }
  int play() override;
  void stop() override;
  void close() override;
  void pause() override;
  void resume() override;
  int32_t state(int32_t& pos) override;
  void seek(int32_t seconds) override;
  void setVolume(int32_t left, int32_t right) override;
  void setLoudnessGain(double db) override;
  void setSongPeak(double peak) override;
  void setEqualizer(const Gains* g) override;
  void reload() override;
  int fileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) override;
  void fillGenreName(TagRecord& tag) override;
  void spectrum(Bins& left, Bins& right) override;
  void wave(Bins& left, Bins& right) override;
  int setLyricsFile(const std::string& path) override;
  void setLyricsTiming(int32_t mode) override;
  void lyrics(LyricsRecord& record) override;
  void setLyricsLead(int32_t ms) override;
  int decodeToWav(const std::string& target) override;
  void setEndHandler(std::function<void()> handler) override { endHandler_ = std::move(handler); }
  void setOutputLostHandler(std::function<void()> handler) override {
    lostHandler_ = std::move(handler);
  }

  // The track ends as the real engine reports it: the engineState drops to 0, then the handler
  // runs.
  void endTrack() {
    engineState = 0;
    if (endHandler_) endHandler_();
  }
  bool waveWritten() const override { return waveWrittenResult; }

 private:
  std::function<void()> endHandler_;
  std::function<void()> lostHandler_;
  SongFacts facts_;
  int pollsLeft_ = 0;
};

}  // namespace sorv::test
