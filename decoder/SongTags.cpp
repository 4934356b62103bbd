#include "decoder/SongTags.h"

#include <taglib/fileref.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

#include <charconv>
#include <mutex>

#include "decoder/AudioSource.h"
#include "decoder/Loudness.h"
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

// TagLib's stream over a descriptor of our own, under the song's name so that TagLib can tell
// the format by its extension.
class NamedStream : public TagLib::FileStream {
 public:
  NamedStream(Descriptor file, std::string name)
      : TagLib::FileStream(file.release(), true), name_(std::move(name)) {}
  TagLib::FileName name() const override { return name_.c_str(); }

 private:
  std::string name_;
};

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

// WAV files keep their text in an ID3v2 chunk or an INFO list; TagLib's tag() gives only the
// first, even when it is absent.
const TagLib::Tag* tagOf(TagLib::File& file) {
  auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file);
  if (wav && !wav->hasID3v2Tag()) return wav->InfoTag();
  return file.tag();
}

// "-6.54 dB" or "0.988"; nullopt when the text starts with no number.
std::optional<double> leadingNumber(const std::string& text) {
  const char* begin = text.data();
  while (begin < text.data() + text.size() && *begin == ' ') ++begin;
  if (begin < text.data() + text.size() && *begin == '+') ++begin;
  double value = 0;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || end == begin) return std::nullopt;
  return value;
}

// The first value of a tag field: generic properties (Vorbis comments, ID3v2 TXXX frames, APE),
// then MP4's free-form iTunes atoms, which TagLib leaves out of its properties.
std::string fieldText(TagLib::File& file, const TagLib::PropertyMap& properties,
                      const std::string& key) {
  const auto found = properties.find(key);
  if (found != properties.end() && !found->second.isEmpty()) {
    return found->second.front().to8Bit(true);
  }
  auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file);
  if (!mp4 || !mp4->tag()) return {};
  for (const auto& [name, item] : mp4->tag()->itemMap()) {
    if (name.upper() == "----:COM.APPLE.ITUNES:" + TagLib::String(key).upper() &&
        !item.toStringList().isEmpty()) {
      return item.toStringList().front().to8Bit(true);
    }
  }
  return {};
}

std::optional<Loudness> taggedLoudness(TagLib::File& file, const TagLib::PropertyMap& properties,
                                       const std::string& scope) {
  const auto gain = leadingNumber(fieldText(file, properties, "REPLAYGAIN_" + scope + "_GAIN"));
  if (!gain) return std::nullopt;
  const auto peak = leadingNumber(fieldText(file, properties, "REPLAYGAIN_" + scope + "_PEAK"));
  return Loudness{kTargetLufs - *gain, peak && *peak > 0 ? *peak : 1.0};
}

}  // namespace

void readSongTags(int fd, const std::string& path, SongFacts& facts) {
  installLegacyTextHandlers();
  Descriptor own = duplicateDescriptor(fd);
  if (!own) return;
  NamedStream stream(std::move(own), path);
  constexpr auto kFast = TagLib::AudioProperties::Fast;
  // Declared after the stream, the file goes first.
  const TagLib::FileRef file =
      isMpegPath(path) ? TagLib::FileRef(new TagLib::MPEG::File(
                             &stream, TagLib::ID3v2::FrameFactory::instance(), true, kFast))
                       : TagLib::FileRef(&stream, true, kFast);
  if (file.isNull() || !file.file()->isValid()) return;
  if (const TagLib::Tag* tag = tagOf(*file.file())) fillTag(*tag, facts.tag);
  const TagLib::PropertyMap properties = file.file()->properties();
  facts.loudness = {taggedLoudness(*file.file(), properties, "TRACK"),
                    taggedLoudness(*file.file(), properties, "ALBUM")};
  if (facts.stream.length == 0 && file.audioProperties()) {
    facts.stream.length = file.audioProperties()->lengthInSeconds();
  }
}

}  // namespace sorv
