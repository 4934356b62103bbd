#include "decoder/AudioSource.h"

#include <algorithm>
#include <cctype>

#include "decoder/FfmpegSource.h"
#include "decoder/Mpg123Source.h"
#include "decoder/PcmConvert.h"
#include "decoder/RegularFile.h"

namespace sorv {

namespace {

std::string lowerExtension(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::unique_ptr<AudioSource> tryOpen(std::unique_ptr<AudioSource> source, int fd,
                                     const std::string& path) {
  if (source->open(fd, path)) return source;
  return nullptr;
}

}  // namespace

std::size_t AudioSource::readPcm16(int16_t* out, std::size_t maxFrames) {
  floatScratch_.resize(maxFrames * channels());
  const std::size_t frames = read(floatScratch_.data(), maxFrames);
  floatToPcm16(floatScratch_.data(), frames * channels(), out);
  return frames;
}

void toStereo(const float* in, std::size_t frames, int channels, float* stereo) {
  for (std::size_t i = 0; i < frames; ++i) {
    stereo[2 * i] = in[channels * i];
    stereo[2 * i + 1] = in[channels * i + channels - 1];
  }
}

bool isMpegPath(const std::string& path) {
  const std::string ext = lowerExtension(path);
  return ext == ".mp3" || ext == ".rmp" || ext == ".mp2" || ext == ".mp1";
}

std::unique_ptr<AudioSource> openAudioSource(const std::string& path, SampleFormat format) {
  const Descriptor file = openRegularDescriptor(path);
  if (!file) return nullptr;
  return openAudioSource(file.get(), path, format);
}

std::unique_ptr<AudioSource> openAudioSource(int fd, const std::string& path, SampleFormat format) {
  if (isMpegPath(path)) {
    if (auto source = tryOpen(std::make_unique<Mpg123Source>(format), fd, path)) return source;
    return tryOpen(std::make_unique<FfmpegSource>(), fd, path);
  }
  if (auto source = tryOpen(std::make_unique<FfmpegSource>(), fd, path)) return source;
  return tryOpen(std::make_unique<Mpg123Source>(format), fd, path);
}

}  // namespace sorv
