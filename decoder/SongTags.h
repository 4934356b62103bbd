#pragma once
// A song's tags as TagLib reads them, in one pass over the file: the text of the tag record and
// the ReplayGain tags. Text whose encoding the format leaves open goes through the legacy-text
// rules (TagText).
#include <string>

#include "decoder/Records.h"

namespace sorv {

// Reads the file open at fd through a descriptor of its own; path names it. A file named as
// MPEG is read as MPEG whatever its content, others by their extension, then their content.
// Fills facts.tag and facts.loudness, and facts.stream.length when that is still 0; leaves them
// as they are when TagLib cannot read the file.
void readSongTags(int fd, const std::string& path, SongFacts& facts);

}  // namespace sorv
