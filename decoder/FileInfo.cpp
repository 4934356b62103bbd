#include "decoder/FileInfo.h"

#include <taglib/fileref.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>

#include "decoder/AudioSource.h"
#include "decoder/FfmpegSource.h"
#include "decoder/LegacyPath.h"
#include "decoder/Mpg123Source.h"
#include "decoder/RegularFile.h"
#include "decoder/TagText.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

TagLib::String utf8String(const std::string& text) {
  return TagLib::String(text, TagLib::String::UTF8);
}

std::string bytesOf(const TagLib::ByteVector& data) {
  return std::string(data.data(), data.size());
}

// Tag text whose encoding the format leaves open: ID3v1, ID3v2 Latin-1 frames (in MP3, WAV
// and FLAC alike) and the INFO chunk of WAV files.
template <class Handler>
class LegacyTextHandler : public Handler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override {
    return utf8String(decodeTagBytes(bytesOf(data)));
  }
};

// TagLib keeps these handlers in globals; they are set once for the whole process.
void installLegacyTextHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    static const LegacyTextHandler<TagLib::ID3v1::StringHandler> id3v1;
    static const LegacyTextHandler<TagLib::ID3v2::Latin1StringHandler> id3v2;
    static const LegacyTextHandler<TagLib::RIFF::Info::StringHandler> riffInfo;
    TagLib::ID3v1::Tag::setStringHandler(&id3v1);
    TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
    TagLib::RIFF::Info::Tag::setStringHandler(&riffInfo);
  });
}

std::string field(const TagLib::String& text) {
  return truncateUtf8(text.to8Bit(true), kTextChars);
}

void fillTag(const TagLib::Tag& source, TagRecord& tag) {
  tag.title = field(source.title());
  tag.artist = field(source.artist());
  tag.album = field(source.album());
  tag.comment = field(source.comment());
  tag.year = source.year() ? std::to_string(source.year()) : std::string();
  tag.track = source.track() ? std::to_string(source.track()) : std::string();
  tag.genreName = field(source.genre());
  const int number = TagLib::ID3v1::genreIndex(source.genre());
  tag.genre = number >= 0 && number < 255 ? number : -1;
}

int samplesPerFrame(const MpegFacts& facts) {
  if (facts.layer == 1) return 384;
  if (facts.layer == 3 && facts.version != 1) return 576;
  return 1152;
}

bool fillMpegStream(const std::string& path, StreamRecord& stream) {
  Mpg123Source source;
  if (!source.open(path)) return false;
  const MpegFacts facts = source.facts();
  stream.version = facts.version;
  stream.layer = facts.layer;
  stream.mode = facts.mode;
  stream.bitrate = facts.bitrate;
  stream.sampleRate = source.sampleRate();
  stream.channels = source.channels();
  if (source.lengthFrames() > 0) {
    stream.length = static_cast<int32_t>(source.lengthFrames() / source.sampleRate());
    stream.frames = static_cast<int32_t>(source.lengthFrames() / samplesPerFrame(facts));
  }
  return true;
}

bool fillOtherStream(const std::string& path, StreamRecord& stream) {
  FfmpegSource source;
  if (!source.open(path)) return false;
  stream.sampleRate = source.sampleRate();
  stream.channels = source.channels();
  stream.bitrate = source.bitrate();
  stream.codec = source.codecName();
  stream.bits = source.bitsPerSample();
  if (source.lengthFrames() > 0) {
    stream.length = static_cast<int32_t>(source.lengthFrames() / source.sampleRate());
  }
  return true;
}

// MPEG files by content whatever their extension says (".rmp" included), others by extension.
std::unique_ptr<TagLib::File> openTagFile(const std::string& path, bool mpeg) {
  constexpr auto kFast = TagLib::AudioProperties::Fast;
  const std::string bytes = onDiskPath(path);
  if (mpeg) return std::make_unique<TagLib::MPEG::File>(bytes.c_str(), true, kFast);
  return std::unique_ptr<TagLib::File>(TagLib::FileRef::create(bytes.c_str(), true, kFast));
}

// WAV files keep their text in an ID3v2 chunk or an INFO list; TagLib's tag() gives only the
// first, even when it is absent.
const TagLib::Tag* tagOf(TagLib::File& file) {
  auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file);
  if (wav && !wav->hasID3v2Tag()) return wav->InfoTag();
  return file.tag();
}

}  // namespace

bool readFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) {
  tag = TagRecord{};
  stream = StreamRecord{};
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || !isRegularFile(path)) return false;
  const bool mpeg = isMpegPath(path);
  const bool found = mpeg ? fillMpegStream(path, stream) || fillOtherStream(path, stream)
                          : fillOtherStream(path, stream) || fillMpegStream(path, stream);
  if (!found) return false;
  stream.fileSize = static_cast<int32_t>(std::min<uintmax_t>(size, INT32_MAX));
  installLegacyTextHandlers();
  const auto file = openTagFile(path, mpeg);
  if (!file || !file->isValid()) return true;
  if (const TagLib::Tag* fileTag = tagOf(*file)) fillTag(*fileTag, tag);
  if (stream.length == 0 && file->audioProperties()) {
    stream.length = file->audioProperties()->lengthInSeconds();
  }
  return true;
}

std::string genreName(int number) {
  if (number < 0 || number > 191) return {};
  return TagLib::ID3v1::genre(number).to8Bit(true);
}

}  // namespace sorv
