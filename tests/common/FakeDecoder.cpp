#include "tests/common/FakeDecoder.h"

#include <algorithm>

namespace sorv::test {

int FakeDecoder::count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

int FakeDecoder::vbmp3_init() {
  calls.push_back("init");
  return initResult;
}

void FakeDecoder::vbmp3_free() {
  calls.push_back("free");
}

int FakeDecoder::vbmp3_getVbmp3Option(Vbmp3Option& o) {
  calls.push_back("getVbmp3Option");
  o = option;
  return 1;
}

int FakeDecoder::vbmp3_setVbmp3Option(const Vbmp3Option& o) {
  calls.push_back("setVbmp3Option " + std::to_string(o.field[2]));
  if (setOptionResult) option = o;
  return setOptionResult;
}

int FakeDecoder::vbmp3_setDecodeOption(const DecodeOption& o) {
  calls.push_back("setDecodeOption " + std::to_string(o.field[2]));
  return 1;
}

int32_t FakeDecoder::vbmp3_getVersion() {
  return version;
}

int FakeDecoder::vbmp3_open(const std::string& path, OpenRecord& record) {
  calls.push_back("open " + path);
  if (unopenable.count(path) || path.empty()) return 0;
  openPath = path;
  record.name = path;
  auto it = streams.find(path);
  record.length = it == streams.end() ? 0 : it->second.length;
  state = 0;
  return 1;
}

int FakeDecoder::vbmp3_play() {
  calls.push_back("play");
  if (!playResult) return 0;
  pollsLeft_ = statePollsBeforePlaying;
  state = 1;
  position = 0;
  return 1;
}

void FakeDecoder::vbmp3_stop() {
  calls.push_back("stop");
  state = 0;
}

void FakeDecoder::vbmp3_close() {
  calls.push_back("close");
  state = 0;
  openPath.clear();
}

void FakeDecoder::vbmp3_pause() {
  calls.push_back("pause");
  if (state != 0) state = 2;
}

void FakeDecoder::vbmp3_restart() {
  calls.push_back("restart");
  if (state == 2) state = 1;
}

int32_t FakeDecoder::vbmp3_getState(int32_t& pos) {
  pos = position;
  if (state != 0 && (statePollsBeforePlaying < 0 || pollsLeft_ > 0)) {
    if (pollsLeft_ > 0) --pollsLeft_;
    return 0;
  }
  return state;
}

void FakeDecoder::vbmp3_seek(int32_t seconds) {
  calls.push_back("seek " + std::to_string(seconds));
  position = seconds;
}

void FakeDecoder::vbmp3_setVolume(int32_t left, int32_t right) {
  calls.push_back("setVolume " + std::to_string(left) + "," + std::to_string(right));
  volumeLeft = left;
  volumeRight = right;
}

void FakeDecoder::vbmp3_setEqualizer(const Gains* g) {
  if (!g) {
    calls.push_back("setEqualizer null");
    equalizerOn = false;
    return;
  }
  std::string text = "setEqualizer";
  for (int32_t v : *g) text += " " + std::to_string(v);
  calls.push_back(text);
  equalizerOn = true;
  gains = *g;
}

void FakeDecoder::vbmp3_reload() {
  calls.push_back("reload");
}

int FakeDecoder::vbmp3_getFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  calls.push_back("getFileInfo " + path);
  ++fileInfoReads;
  auto t = tags.find(path);
  tag = t == tags.end() ? TagRecord{} : t->second;
  auto s = streams.find(path);
  if (s == streams.end()) return 0;
  stream = s->second;
  return 1;
}

void FakeDecoder::vbmp3_getGenre(TagRecord& tag) {
  tag.genreName = "Genre" + std::to_string(tag.genre);
}

void FakeDecoder::vbmp3_getSpectrum(Bins& left, Bins& right) {
  left = spectrumLeft;
  right = spectrumRight;
}

void FakeDecoder::vbmp3_getWave(Bins& left, Bins& right) {
  left = waveLeft;
  right = waveRight;
}

int FakeDecoder::vbmp3_setLyricsFile(const std::string& path) {
  calls.push_back("setLyricsFile " + path);
  return lyricFiles.count(path) ? 1 : 0;
}

void FakeDecoder::vbmp3_setLyricsTime(int32_t mode) {
  calls.push_back("setLyricsTime " + std::to_string(mode));
  lyricsTimeMode = mode;
}

void FakeDecoder::vbmp3_getLyrics(LyricsRecord& record) {
  record = lyrics;
}

void FakeDecoder::vbmp3_setLyricsNextAdjustTime(int32_t ms) {
  calls.push_back("setLyricsNextAdjustTime " + std::to_string(ms));
  nextAdjustTime = ms;
}

int FakeDecoder::vbmp3_decodeWave(const std::string& target) {
  calls.push_back("decodeWave " + target);
  if (decodeWaveResult) state = 1;
  return decodeWaveResult;
}

}  // namespace sorv::test
