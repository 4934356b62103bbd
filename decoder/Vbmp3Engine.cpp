#include "decoder/Vbmp3Engine.h"

#include <algorithm>

#include "decoder/FileInfo.h"
#include "decoder/SdlOutput.h"
#include "decoder/WavWriter.h"

namespace sorv {

Vbmp3Engine::Vbmp3Engine(std::unique_ptr<AudioOutput> output)
    : output_(output ? std::move(output) : std::make_unique<SdlOutput>()) {}

Vbmp3Engine::~Vbmp3Engine() {
  vbmp3_free();
}

int Vbmp3Engine::vbmp3_init() {
  if (!outputOpen_) outputOpen_ = output_->open(outputRate_);
  return outputOpen_ ? 1 : 0;
}

void Vbmp3Engine::vbmp3_free() {
  vbmp3_close();
  if (outputOpen_) output_->close();
  outputOpen_ = false;
}

int Vbmp3Engine::vbmp3_getVbmp3Option(Vbmp3Option& option) {
  option.field = {0, 0, cpuLoad_, 0};
  return 1;
}

int Vbmp3Engine::vbmp3_setVbmp3Option(const Vbmp3Option& option) {
  if (option.field[2] < 0 || option.field[2] > 100) return 0;
  cpuLoad_ = option.field[2];
  return 1;
}

int Vbmp3Engine::vbmp3_setDecodeOption(const DecodeOption& option) {
  const int rate = option.field[2];
  if (rate < 8000 || rate > 192000) return 0;
  if (rate == outputRate_) return 1;
  vbmp3_stop();
  outputRate_ = rate;
  if (!outputOpen_) return 1;
  output_->close();
  outputOpen_ = output_->open(outputRate_);
  return outputOpen_ ? 1 : 0;
}

int Vbmp3Engine::vbmp3_open(const std::string& path, OpenRecord& record) {
  vbmp3_close();
  source_ = openAudioSource(path);
  if (!source_) return 0;
  path_ = path;
  lengthFrames_ = std::max<int64_t>(source_->lengthFrames(), 0);
  record.name = path;
  record.sampleRate = source_->sampleRate();
  record.channels = source_->channels();
  record.bitrate = 0;
  TagRecord tag;
  StreamRecord stream;
  if (readFileInfo(path, tag, stream)) record.bitrate = stream.bitrate;
  record.length = static_cast<int32_t>(lengthFrames_ / source_->sampleRate());
  startFrame_ = 0;
  mode_ = Mode::Stopped;
  return 1;
}

int Vbmp3Engine::vbmp3_play() {
  if (!source_ || !outputOpen_ || mode_ == Mode::Decoding) return 0;
  if (mode_ == Mode::Playing || mode_ == Mode::Paused) haltPlayback();
  if (mode_ == Mode::Finished) startFrame_ = 0;
  if (!source_->seek(startFrame_)) startFrame_ = 0;
  output_->flush();
  startWorker(&Vbmp3Engine::playLoop);
  output_->pause(false);
  mode_ = Mode::Playing;
  return 1;
}

void Vbmp3Engine::haltPlayback() {
  stopWorker();
  wave_.reset();  // an unfinished WAV file is removed with its writer
  waveSource_.reset();
  if (outputOpen_) {
    output_->pause(true);
    output_->flush();
  }
}

void Vbmp3Engine::vbmp3_stop() {
  if (mode_ == Mode::Idle) return;
  haltPlayback();
  startFrame_ = 0;
  mode_ = Mode::Stopped;
}

void Vbmp3Engine::vbmp3_close() {
  vbmp3_stop();
  source_.reset();
  lyrics_.clear();
  lengthFrames_ = 0;
  mode_ = Mode::Idle;
}

void Vbmp3Engine::vbmp3_pause() {
  if (mode_ != Mode::Playing) return;
  output_->pause(true);
  mode_ = Mode::Paused;
}

void Vbmp3Engine::vbmp3_restart() {
  if (mode_ != Mode::Paused) return;
  output_->pause(false);
  mode_ = Mode::Playing;
}

int64_t Vbmp3Engine::heardMs() const {
  if (!source_) return 0;
  const int rate = source_->sampleRate();
  if (mode_ != Mode::Playing && mode_ != Mode::Paused) return startFrame_ * 1000 / rate;
  const int64_t heard = output_->framesHeard() * rate / std::max(outputRate_, 1);
  const int64_t frame = std::min(startFrame_ + heard, startFrame_ + decodedFrames_.load());
  return frame * 1000 / rate;
}

int32_t Vbmp3Engine::vbmp3_getState(int32_t& position) {
  if (mode_ == Mode::Decoding) {
    const int rate = source_->sampleRate();
    position = static_cast<int32_t>(decodedFrames_.load() / rate);
    if (!workerDone_) return 1;
    stopWorker();
    wave_.reset();
    waveSource_.reset();
    mode_ = Mode::Stopped;
    return 0;
  }
  if (mode_ == Mode::Playing && output_->drained()) {
    haltPlayback();
    startFrame_ += decodedFrames_.load();  // the end as decoded, whatever the header claimed
    mode_ = Mode::Finished;
  }
  position = static_cast<int32_t>(heardMs() / 1000);
  if (mode_ == Mode::Playing) return 1;
  return mode_ == Mode::Paused ? 2 : 0;
}

void Vbmp3Engine::vbmp3_seek(int32_t seconds) {
  if (!source_ || mode_ == Mode::Decoding) return;
  int64_t frame = static_cast<int64_t>(std::max(seconds, 0)) * source_->sampleRate();
  if (lengthFrames_ > 0) frame = std::min(frame, lengthFrames_);
  const Mode mode = mode_;
  if (mode != Mode::Playing && mode != Mode::Paused) {
    startFrame_ = frame;
    if (mode == Mode::Finished) mode_ = Mode::Stopped;
    return;
  }
  haltPlayback();
  if (!source_->seek(frame)) return;
  startFrame_ = frame;
  startWorker(&Vbmp3Engine::playLoop);
  output_->pause(mode == Mode::Paused);
}

void Vbmp3Engine::vbmp3_setVolume(int32_t left, int32_t right) {
  settings_.setLevels(left, right);
}

void Vbmp3Engine::vbmp3_setEqualizer(const Gains* gains) {
  settings_.setGains(gains);
}

// Settings already take effect as they are set; reloading hands them over once more.
void Vbmp3Engine::vbmp3_reload() {}

int Vbmp3Engine::vbmp3_getFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  return readFileInfo(path, tag, stream) ? 1 : 0;
}

void Vbmp3Engine::vbmp3_getGenre(TagRecord& tag) {
  tag.genreName = genreName(tag.genre);
}

void Vbmp3Engine::vbmp3_getSpectrum(Bins& left, Bins& right) {
  left.fill(0);
  right.fill(0);
  if (mode_ != Mode::Playing) return;
  float recent[2 * SoundAnalyzer::kFftSize];
  output_->recentHeard(recent, SoundAnalyzer::kFftSize);
  analyzer_.spectrum(recent, left, right);
}

void Vbmp3Engine::vbmp3_getWave(Bins& left, Bins& right) {
  left.fill(0);
  right.fill(0);
  if (mode_ != Mode::Playing) return;
  float recent[2 * kBins];
  output_->recentHeard(recent, kBins);
  SoundAnalyzer::wave(recent, kBins, left, right);
}

int Vbmp3Engine::vbmp3_setLyricsFile(const std::string& path) {
  return lyrics_.load(path) ? 1 : 0;
}

void Vbmp3Engine::vbmp3_getLyrics(LyricsRecord& record) {
  int64_t ms = heardMs();
  if (lyricsMode_ == 0 && mode_ == Mode::Playing && source_) {
    ms += static_cast<int64_t>(output_->delay()) * 1000 / std::max(outputRate_, 1);
  }
  lyrics_.fill(ms, record);
}

void Vbmp3Engine::vbmp3_setLyricsNextAdjustTime(int32_t milliseconds) {
  lyrics_.setLeadMs(milliseconds);
}

int Vbmp3Engine::vbmp3_decodeWave(const std::string& target) {
  if (!source_ || mode_ == Mode::Decoding) return 0;
  haltPlayback();
  startFrame_ = 0;
  mode_ = Mode::Stopped;
  waveSource_ = openAudioSource(path_, SampleFormat::Pcm16);
  wave_ = std::make_unique<WavWriter>();
  if (!waveSource_ || !wave_->open(target, waveSource_->sampleRate(), waveSource_->channels())) {
    haltPlayback();
    return 0;
  }
  mode_ = Mode::Decoding;
  startWorker(&Vbmp3Engine::waveLoop);
  return 1;
}

}  // namespace sorv
