#pragma once
// A recording stand-in for the engine, for tests where timing or the exact call order matters.
// Every call is logged as a short text ("open /a.mp3", "play", "setEqualizer null", ...).
#include <map>
#include <set>
#include <string>
#include <vector>

#include "decoder/Decoder.h"

namespace sorv::test {

class FakeDecoder : public Decoder {
 public:
  // What the fake answers.
  int initResult = 1;
  int32_t state = 0;  // returned by getState; open/play/stop/pause/restart move it
  int32_t position = 0;
  int32_t version = 100;
  int playResult = 1;
  int setOptionResult = 1;
  int decodeWaveResult = 1;
  std::set<std::string> unopenable;       // paths whose open fails
  std::set<std::string> lyricFiles;       // paths that setLyricsFile accepts
  std::map<std::string, TagRecord> tags;  // getFileInfo answers
  std::map<std::string, StreamRecord> streams;
  Vbmp3Option option{};
  Bins spectrumLeft{}, spectrumRight{}, waveLeft{}, waveRight{};
  LyricsRecord lyrics;
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

  int vbmp3_init() override;
  void vbmp3_free() override;
  int vbmp3_getVbmp3Option(Vbmp3Option& o) override;
  int vbmp3_setVbmp3Option(const Vbmp3Option& o) override;
  int vbmp3_setDecodeOption(const DecodeOption& o) override;
  int32_t vbmp3_getVersion() override;
  int vbmp3_open(const std::string& path, OpenRecord& record) override;
  int vbmp3_play() override;
  void vbmp3_stop() override;
  void vbmp3_close() override;
  void vbmp3_pause() override;
  void vbmp3_restart() override;
  int32_t vbmp3_getState(int32_t& pos) override;
  void vbmp3_seek(int32_t seconds) override;
  void vbmp3_setVolume(int32_t left, int32_t right) override;
  void vbmp3_setEqualizer(const Gains* g) override;
  void vbmp3_reload() override;
  int vbmp3_getFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) override;
  void vbmp3_getGenre(TagRecord& tag) override;
  void vbmp3_getSpectrum(Bins& left, Bins& right) override;
  void vbmp3_getWave(Bins& left, Bins& right) override;
  int vbmp3_setLyricsFile(const std::string& path) override;
  void vbmp3_setLyricsTime(int32_t mode) override;
  void vbmp3_getLyrics(LyricsRecord& record) override;
  void vbmp3_setLyricsNextAdjustTime(int32_t ms) override;
  int vbmp3_decodeWave(const std::string& target) override;

 private:
  int pollsLeft_ = 0;
};

}  // namespace sorv::test
