#include "decoder/ThreadedAudioEngine.h"

#include <algorithm>
#include <cmath>

#include "decoder/FileInfo.h"
#include "decoder/LegacyPath.h"
#include "decoder/RegularFile.h"
#include "decoder/SdlOutput.h"
#include "decoder/WavWriter.h"

namespace sorv {

ThreadedAudioEngine::ThreadedAudioEngine(std::unique_ptr<AudioOutput> output)
    : output_(output ? std::move(output) : std::make_unique<SdlOutput>()) {}

ThreadedAudioEngine::~ThreadedAudioEngine() {
  release();
}

int ThreadedAudioEngine::init() {
  if (!outputOpen_) {
    silent_ = false;
    openOutput();
  }
  return outputOpen_ ? 1 : 0;
}

int ThreadedAudioEngine::initSilent() {
  if (!outputOpen_) {
    silent_ = true;
    openOutput();
  }
  return outputOpen_ ? 1 : 0;
}

bool ThreadedAudioEngine::openOutput() {
  outputOpen_ = silent_ ? output_->openSilent(outputRate_) : output_->open(outputRate_);
  return outputOpen_;
}

void ThreadedAudioEngine::release() {
  close();
  if (outputOpen_) output_->close();
  outputOpen_ = false;
}

int ThreadedAudioEngine::getEngineOption(EngineOption& option) {
  option.field = {0, 0, cpuLoad_, 0};
  return 1;
}

int ThreadedAudioEngine::setEngineOption(const EngineOption& option) {
  if (option.field[2] < 0 || option.field[2] > 100) return 0;
  cpuLoad_ = option.field[2];
  return 1;
}

int ThreadedAudioEngine::setDecodeOption(const DecodeOption& option) {
  const int rate = option.field[2];
  if (rate < 8000 || rate > 192000) return 0;
  if (rate == outputRate_) return 1;
  stop();
  outputRate_ = rate;
  if (!outputOpen_) return 1;
  output_->close();
  return openOutput() ? 1 : 0;
}

int ThreadedAudioEngine::open(const std::string& path, OpenRecord& record) {
  close();
  // One open of the file serves the decoder, the stream facts, the tags and a WAV export.
  file_ = openRegularDescriptor(path);
  if (file_) source_ = openAudioSource(file_.get(), path);
  if (!source_) {
    file_ = Descriptor();
    return 0;
  }
  facts_ = readSongFacts(file_.get(), path, *source_);
  path_ = path;
  lengthFrames_ = std::max<int64_t>(source_->lengthFrames(), 0);
  record.name = path;
  record.sampleRate = source_->sampleRate();
  record.channels = source_->channels();
  record.bitrate = facts_.stream.bitrate;
  record.length = static_cast<int32_t>(lengthFrames_ / source_->sampleRate());
  startFrame_ = 0;
  mode_ = Mode::Stopped;
  return 1;
}

int ThreadedAudioEngine::play() {
  if (!source_ || !outputOpen_ || mode_ == Mode::Decoding) return 0;
  // An output lost during an earlier track gets another chance with each start.
  if (output_->lost() && !output_->reopen()) return 0;
  haltPlayback();
  if (mode_ == Mode::Finished) startFrame_ = 0;
  if (!source_->seek(startFrame_)) startFrame_ = 0;
  startWorker(&ThreadedAudioEngine::playLoop);
  output_->pause(false);
  mode_ = Mode::Playing;
  return 1;
}

void ThreadedAudioEngine::haltPlayback() {
  stopWorker();
  wave_.reset();  // an unfinished WAV file is removed with its writer
  waveSource_.reset();
  if (outputOpen_) {
    output_->pause(true);
    output_->flush();
  }
}

void ThreadedAudioEngine::stop() {
  if (mode_ == Mode::Idle) return;
  haltPlayback();
  startFrame_ = 0;
  mode_ = Mode::Stopped;
}

void ThreadedAudioEngine::close() {
  stop();
  source_.reset();
  file_ = Descriptor();
  facts_ = SongFacts{};
  lyrics_.clear();
  lengthFrames_ = 0;
  mode_ = Mode::Idle;
}

// The decode thread may finish the track at any moment; only a playing track pauses.
void ThreadedAudioEngine::pause() {
  Mode playing = Mode::Playing;
  if (mode_.compare_exchange_strong(playing, Mode::Paused)) output_->pause(true);
}

void ThreadedAudioEngine::resume() {
  Mode paused = Mode::Paused;
  if (mode_.compare_exchange_strong(paused, Mode::Playing)) output_->pause(false);
}

int64_t ThreadedAudioEngine::heardMs() const {
  if (!source_) return 0;
  const int rate = source_->sampleRate();
  const Mode mode = mode_;
  // Finished: the end as decoded, whatever the header claimed.
  if (mode == Mode::Finished) return (startFrame_ + decodedFrames_.load()) * 1000 / rate;
  if (mode != Mode::Playing && mode != Mode::Paused) return startFrame_ * 1000 / rate;
  const int64_t heard = output_->framesHeard() * rate / std::max(outputRate_, 1);
  const int64_t frame = std::min(startFrame_ + heard, startFrame_ + decodedFrames_.load());
  return frame * 1000 / rate;
}

int32_t ThreadedAudioEngine::state(int32_t& position) {
  const Mode mode = mode_;
  if (mode == Mode::Decoding) {
    position = static_cast<int32_t>(decodedFrames_.load() / source_->sampleRate());
    return 1;
  }
  position = static_cast<int32_t>(heardMs() / 1000);
  if (mode == Mode::Playing) return 1;
  return mode == Mode::Paused ? 2 : 0;
}

void ThreadedAudioEngine::seek(int32_t seconds) {
  if (!source_ || mode_ == Mode::Decoding) return;
  int64_t frame = static_cast<int64_t>(std::max(seconds, 0)) * source_->sampleRate();
  if (lengthFrames_ > 0) frame = std::min(frame, lengthFrames_);
  const Mode mode = mode_;
  if (mode != Mode::Playing && mode != Mode::Paused) {
    haltPlayback();
    startFrame_ = frame;
    if (mode == Mode::Finished) mode_ = Mode::Stopped;
    return;
  }
  const int64_t heard = heardMs() * source_->sampleRate() / 1000;
  haltPlayback();
  if (source_->seek(frame)) {
    startFrame_ = frame;
  } else if (source_->seek(heard)) {
    startFrame_ = heard;
  } else {
    startFrame_ = 0;
    mode_ = Mode::Stopped;
    return;
  }
  mode_ = mode;
  startWorker(&ThreadedAudioEngine::playLoop);
  output_->pause(mode == Mode::Paused);
}

void ThreadedAudioEngine::setVolume(int32_t left, int32_t right) {
  output_->setLevels(left, right);
}

void ThreadedAudioEngine::setLoudnessGain(double db) {
  output_->setLoudnessGain(std::pow(10.0, db / 20));
}

void ThreadedAudioEngine::setSongPeak(double peak) {
  output_->setSongPeak(peak);
}

void ThreadedAudioEngine::setEqualizer(const Gains* gains) {
  output_->setGains(gains);
}

void ThreadedAudioEngine::setEndHandler(std::function<void()> handler) {
  std::lock_guard lock(endMutex_);
  endHandler_ = std::move(handler);
}

void ThreadedAudioEngine::setOutputLostHandler(std::function<void()> handler) {
  std::lock_guard lock(endMutex_);
  lostHandler_ = std::move(handler);
}

// Settings already take effect as they are set; reloading hands them over once more.
void ThreadedAudioEngine::reload() {}

int ThreadedAudioEngine::fileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  return readFileInfo(path, tag, stream) ? 1 : 0;
}

void ThreadedAudioEngine::fillGenreName(TagRecord& tag) {
  tag.genreName = genreName(tag.genre);
}

void ThreadedAudioEngine::spectrum(Bins& left, Bins& right) {
  left.fill(0);
  right.fill(0);
  if (mode_ != Mode::Playing) return;
  float recent[2 * SoundAnalyzer::kFftSize];
  output_->recentHeard(recent, SoundAnalyzer::kFftSize);
  analyzer_.spectrum(recent, left, right);
}

void ThreadedAudioEngine::wave(Bins& left, Bins& right) {
  left.fill(0);
  right.fill(0);
  if (mode_ != Mode::Playing) return;
  float recent[2 * kBins];
  output_->recentHeard(recent, kBins);
  SoundAnalyzer::wave(recent, kBins, left, right);
}

int ThreadedAudioEngine::setLyricsFile(const std::string& path) {
  return lyrics_.load(anyCaseOnDiskPath(path)) ? 1 : 0;
}

void ThreadedAudioEngine::lyrics(LyricsRecord& record) {
  int64_t ms = heardMs();
  if (lyricsMode_ == 0 && mode_ == Mode::Playing && source_) ms += kDecodedAheadMs;
  lyrics_.fill(ms, record);
}

void ThreadedAudioEngine::setLyricsLead(int32_t milliseconds) {
  lyrics_.setLeadMs(milliseconds);
}

int ThreadedAudioEngine::decodeToWav(const std::string& target) {
  if (!source_ || mode_ == Mode::Decoding || isSameFile(path_, target)) return 0;
  haltPlayback();
  waveWritten_ = false;
  startFrame_ = 0;
  mode_ = Mode::Stopped;
  waveSource_ = openAudioSource(file_.get(), path_, SampleFormat::Pcm16);
  wave_ = std::make_unique<WavWriter>();
  // Deeper sources keep their depth as 24-bit files; the rest become 16-bit ones.
  if (!waveSource_ || !wave_->open(target, waveSource_->sampleRate(), waveSource_->channels(),
                                   waveSource_->bitsPerSample() > 16 ? 24 : 16)) {
    haltPlayback();
    return 0;
  }
  mode_ = Mode::Decoding;
  startWorker(&ThreadedAudioEngine::waveLoop);
  return 1;
}

}  // namespace sorv
