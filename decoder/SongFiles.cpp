#include "decoder/SongFiles.h"

#include <strings.h>

#include <array>

namespace sorv {

namespace {

bool endsWithNoCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         strncasecmp(text.data() + text.size() - end.size(), end.data(), end.size()) == 0;
}

bool endsWithAny(std::string_view text, const auto& ends) {
  for (std::string_view end : ends) {
    if (endsWithNoCase(text, end)) return true;
  }
  return false;
}

constexpr std::array<std::string_view, 8> kOtherFormats{".flac", ".m4a", ".ogg", ".oga",
                                                        ".opus", ".wav", ".aif", ".aiff"};

}  // namespace

bool isSongFileName(std::string_view name, SongFiles which) {
  if (endsWithNoCase(name, ".mp3")) return true;
  return which == SongFiles::AllFormats && endsWithAny(name, kOtherFormats);
}

bool isNamedSongFile(std::string_view path, SongFiles which) {
  constexpr std::array<std::string_view, 2> kMpegEnds{"mp3", "rmp"};
  return endsWithAny(path, kMpegEnds) || isSongFileName(path, which);
}

}  // namespace sorv
