#include "app/cli/CliCommands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "decoder/AudioSource.h"
#include "decoder/LyricTimer.h"
#include "decoder/SoundAnalyzer.h"
#include "decoder/ThreadedAudioEngine.h"

namespace sorv::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
  interrupted = 1;
}

int failure(const std::string& text) {
  std::fprintf(stderr, "sorvane-cli: %s\n", text.c_str());
  return 1;
}

void printTag(const TagRecord& tag) {
  std::printf("title: %s\nartist: %s\nalbum: %s\nyear: %s\ncomment: %s\ntrack: %s\n",
              tag.title.c_str(), tag.artist.c_str(), tag.album.c_str(), tag.year.c_str(),
              tag.comment.c_str(), tag.track.c_str());
  std::printf("genre: %d\ngenre_name: %s\n", tag.genre, tag.genreName.c_str());
}

void printStream(const StreamRecord& stream) {
  std::printf("version: %d\nlayer: %d\nsample_rate: %d\nchannels: %d\nmode: %d\n", stream.version,
              stream.layer, stream.sampleRate, stream.channels, stream.mode);
  std::printf("bitrate: %d\nframes: %d\nsize: %d\nlength: %d\n", stream.bitrate, stream.frames,
              stream.fileSize, stream.length);
}

void sleepMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void printBins(const char* name, const Bins& bins) {
  std::printf("%s:", name);
  for (const int32_t value : bins) std::printf(" %d", value);
  std::printf("\n");
}

// Plays one opened file to its end or until Ctrl-C; prints time and lyric line.
void followPlayback(ThreadedAudioEngine& engine, bool withLyrics) {
  const bool terminal = isatty(STDOUT_FILENO);
  int32_t position = 0;
  while (!interrupted && engine.state(position) != 0) {
    LyricsRecord lyric;
    if (withLyrics) engine.lyrics(lyric);
    std::printf("%s%02d:%02d  %s%s", terminal ? "\r\033[K" : "", position / 60, position % 60,
                lyric.slot[2].c_str(), terminal ? "" : "\n");
    std::fflush(stdout);
    sleepMs(terminal ? 100 : 1000);
  }
  if (terminal) std::printf("\n");
}

}  // namespace

int infoCommand(const std::vector<std::string>& files) {
  ThreadedAudioEngine engine;
  int result = 0;
  for (const auto& file : files) {
    TagRecord tag;
    StreamRecord stream;
    if (!engine.fileInfo(file, tag, stream)) {
      result = failure("cannot open " + file);
      continue;
    }
    if (files.size() > 1) std::printf("file: %s\n", file.c_str());
    printTag(tag);
    printStream(stream);
  }
  return result;
}

int wavCommand(const std::string& file, const std::string& target) {
  // Through "./", a second name or a link, the target may be the input itself.
  struct stat in = {};
  struct stat out = {};
  if (::stat(file.c_str(), &in) == 0 && ::stat(target.c_str(), &out) == 0 &&
      in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
    return failure(target + " is the input file");
  }
  ThreadedAudioEngine engine;
  OpenRecord record;
  if (!engine.open(file, record)) return failure("cannot open " + file);
  if (!engine.decodeToWav(target)) return failure("cannot write " + target);
  const bool terminal = isatty(STDERR_FILENO);
  int32_t seconds = 0;
  while (engine.state(seconds) != 0) {
    if (terminal) std::fprintf(stderr, "\r%d / %d s", seconds, record.length);
    sleepMs(5);
  }
  if (terminal) std::fprintf(stderr, "\n");
  if (!engine.waveWritten()) return failure("cannot write " + target);
  return 0;
}

int playCommand(const PlayOptions& options) {
  // Asked-for lyrics that cannot be had (a folder, say) are said at once, not after the songs.
  if (!options.lyrics.empty() && !LyricTimer().load(options.lyrics))
    return failure("cannot read lyrics from " + options.lyrics);
  ThreadedAudioEngine engine;
  if (!engine.init()) return failure("no audio output can be opened");
  std::signal(SIGINT, onInterrupt);
  engine.setVolume(options.left, options.right);
  if (options.hasEqualizer) {
    Gains gains{};
    for (std::size_t i = 0; i < gains.size() && i < options.gains.size(); ++i) {
      gains[i] = options.gains[i];
    }
    engine.setEqualizer(&gains);
  }
  int result = 0;
  for (const auto& file : options.files) {
    if (interrupted) break;
    OpenRecord record;
    if (!engine.open(file, record) || !engine.play()) {
      result = failure("cannot play " + file);
      continue;
    }
    const bool withLyrics = !options.lyrics.empty() && engine.setLyricsFile(options.lyrics);
    std::printf("%s\n", file.c_str());
    followPlayback(engine, withLyrics);
    engine.stop();
    engine.close();
  }
  if (options.stats) std::printf("underruns %lld\n", static_cast<long long>(engine.underruns()));
  engine.release();
  return result;
}

int spectrumCommand(const std::string& file, double seconds) {
  auto source = openAudioSource(file);
  if (!source) return failure("cannot open " + file);
  constexpr std::size_t kFrames = SoundAnalyzer::kFftSize;
  const auto start = static_cast<int64_t>(seconds * source->sampleRate()) - int64_t{kFrames};
  source->seek(std::max<int64_t>(start, 0));
  const int channels = source->channels();
  std::vector<float> decoded(kFrames * channels, 0.0f), stereo(kFrames * 2, 0.0f);
  toStereo(decoded.data(), source->read(decoded.data(), kFrames), channels, stereo.data());
  SoundAnalyzer analyzer;
  Bins left{}, right{};
  analyzer.spectrum(stereo.data(), left, right);
  printBins("spectrum_left", left);
  printBins("spectrum_right", right);
  SoundAnalyzer::wave(stereo.data(), kFrames, left, right);
  printBins("wave_left", left);
  printBins("wave_right", right);
  return 0;
}

}  // namespace sorv::cli
