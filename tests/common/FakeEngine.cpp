#include "tests/common/FakeEngine.h"

#include <algorithm>

namespace sorv::test {

int FakeEngine::count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

int FakeEngine::init() {
  calls.push_back("init");
  return initResult;
}

int FakeEngine::initSilent() {
  calls.push_back("initSilent");
  return initSilentResult;
}

void FakeEngine::release() {
  calls.push_back("free");
}

int FakeEngine::getEngineOption(EngineOption& o) {
  calls.push_back("getVbmp3Option");
  o = option;
  return 1;
}

int FakeEngine::setEngineOption(const EngineOption& o) {
  calls.push_back("setVbmp3Option " + std::to_string(o.field[2]));
  if (setOptionResult) option = o;
  return setOptionResult;
}

int FakeEngine::setDecodeOption(const DecodeOption& o) {
  calls.push_back("setDecodeOption " + std::to_string(o.field[2]));
  return 1;
}

int32_t FakeEngine::version() {
  return versionNumber;
}

int FakeEngine::open(const std::string& path, OpenRecord& record) {
  calls.push_back("open " + path);
  if (unopenable.count(path) || path.empty()) return 0;
  openPath = path;
  record.name = path;
  facts_ = SongFacts{};
  if (auto it = tags.find(path); it != tags.end()) facts_.tag = it->second;
  if (auto it = streams.find(path); it != streams.end()) facts_.stream = it->second;
  if (auto it = loudness.find(path); it != loudness.end()) facts_.loudness = it->second;
  record.length = facts_.stream.length;
  engineState = 0;
  return 1;
}

int FakeEngine::play() {
  calls.push_back("play");
  if (!playResult) return 0;
  pollsLeft_ = statePollsBeforePlaying;
  engineState = 1;
  position = 0;
  return 1;
}

void FakeEngine::stop() {
  calls.push_back("stop");
  engineState = 0;
}

void FakeEngine::close() {
  calls.push_back("close");
  engineState = 0;
  openPath.clear();
}

void FakeEngine::pause() {
  calls.push_back("pause");
  if (engineState != 0) engineState = 2;
}

void FakeEngine::resume() {
  calls.push_back("restart");
  if (engineState == 2) engineState = 1;
}

int32_t FakeEngine::state(int32_t& pos) {
  pos = position;
  if (engineState != 0 && (statePollsBeforePlaying < 0 || pollsLeft_ > 0)) {
    if (pollsLeft_ > 0) --pollsLeft_;
    return 0;
  }
  return engineState;
}

void FakeEngine::seek(int32_t seconds) {
  calls.push_back("seek " + std::to_string(seconds));
  position = seconds;
}

void FakeEngine::setLoudnessGain(double db) {
  calls.push_back("setLoudnessGain " + std::to_string(db));
}

void FakeEngine::setSongPeak(double peak) {
  calls.push_back("setSongPeak " + std::to_string(peak));
}

void FakeEngine::setVolume(int32_t left, int32_t right) {
  calls.push_back("setVolume " + std::to_string(left) + "," + std::to_string(right));
  volumeLeft = left;
  volumeRight = right;
}

void FakeEngine::setEqualizer(const Gains* g) {
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

void FakeEngine::reload() {
  calls.push_back("reload");
}

int FakeEngine::fileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  calls.push_back("getFileInfo " + path);
  ++fileInfoReads;
  auto t = tags.find(path);
  tag = t == tags.end() ? TagRecord{} : t->second;
  auto s = streams.find(path);
  if (s == streams.end()) return 0;
  stream = s->second;
  return 1;
}

void FakeEngine::fillGenreName(TagRecord& tag) {
  tag.genreName = "Genre" + std::to_string(tag.genre);
}

void FakeEngine::spectrum(Bins& left, Bins& right) {
  left = spectrumLeft;
  right = spectrumRight;
}

void FakeEngine::wave(Bins& left, Bins& right) {
  left = waveLeft;
  right = waveRight;
}

int FakeEngine::setLyricsFile(const std::string& path) {
  calls.push_back("setLyricsFile " + path);
  return lyricFiles.count(path) ? 1 : 0;
}

void FakeEngine::setLyricsTiming(int32_t mode) {
  calls.push_back("setLyricsTime " + std::to_string(mode));
  lyricsTimeMode = mode;
}

void FakeEngine::lyrics(LyricsRecord& record) {
  record = lyricsRecord;
}

void FakeEngine::setLyricsLead(int32_t ms) {
  calls.push_back("setLyricsNextAdjustTime " + std::to_string(ms));
  nextAdjustTime = ms;
}

int FakeEngine::decodeToWav(const std::string& target) {
  calls.push_back("decodeWave " + target);
  if (decodeWaveResult) engineState = 1;
  return decodeWaveResult;
}

}  // namespace sorv::test
