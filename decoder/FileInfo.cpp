#include "decoder/FileInfo.h"

#include <taglib/id3v1genres.h>

#include <algorithm>
#include <climits>

#include "decoder/FfmpegSource.h"
#include "decoder/Mpg123Source.h"
#include "decoder/RegularFile.h"
#include "decoder/SongTags.h"

namespace sorv {

namespace {

int samplesPerFrame(const MpegFacts& facts) {
  if (facts.layer == 1) return 384;
  if (facts.layer == 3 && facts.version != 1) return 576;
  return 1152;
}

void fillMpegStream(const Mpg123Source& source, StreamRecord& stream) {
  const MpegFacts facts = source.facts();
  stream.version = facts.version;
  stream.layer = facts.layer;
  stream.mode = facts.mode;
  stream.bitrate = facts.bitrate;
  if (source.lengthFrames() > 0) {
    stream.frames = static_cast<int32_t>(source.lengthFrames() / samplesPerFrame(facts));
  }
}

void fillOtherStream(const FfmpegSource& source, StreamRecord& stream) {
  stream.bitrate = source.bitrate();
  stream.codec = source.codecName();
  stream.bits = source.bitsPerSample();
}

}  // namespace

SongFacts readSongFacts(int fd, const std::string& path, const AudioSource& source) {
  SongFacts facts;
  StreamRecord& stream = facts.stream;
  stream.sampleRate = source.sampleRate();
  stream.channels = source.channels();
  if (const auto* mpeg = dynamic_cast<const Mpg123Source*>(&source)) fillMpegStream(*mpeg, stream);
  if (const auto* other = dynamic_cast<const FfmpegSource*>(&source))
    fillOtherStream(*other, stream);
  if (source.lengthFrames() > 0) {
    stream.length = static_cast<int32_t>(source.lengthFrames() / source.sampleRate());
  }
  stream.fileSize = static_cast<int32_t>(std::clamp<int64_t>(openFileSize(fd), 0, INT32_MAX));
  readSongTags(fd, path, facts);
  return facts;
}

bool readFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  tag = TagRecord{};
  stream = StreamRecord{};
  const Descriptor file = openRegularDescriptor(path);
  if (!file) return false;
  const auto source = openAudioSource(file.get(), path);
  if (!source) return false;
  SongFacts facts = readSongFacts(file.get(), path, *source);
  tag = std::move(facts.tag);
  stream = std::move(facts.stream);
  return true;
}

std::string genreName(int number) {
  if (number < 0 || number > 191) return {};
  return TagLib::ID3v1::genre(number).to8Bit(true);
}

}  // namespace sorv
