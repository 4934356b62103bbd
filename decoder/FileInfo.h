#pragma once
// Tags and stream facts of a file, open or not, and the ID3v1 genre names.
#include <string>

#include "decoder/AudioSource.h"
#include "decoder/Records.h"

namespace sorv {

// Everything one read of the file open at fd tells, given the source that has opened it: the
// stream facts from the source, the tags and ReplayGain tags from TagLib.
SongFacts readSongFacts(int fd, const std::string& path, const AudioSource& source);
// Fills both records, opening the file once; false when the file cannot be read as audio.
bool readFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream);
// Name of ID3v1 genre number (0..191, the extended list); empty outside the list.
std::string genreName(int number);

}  // namespace sorv
