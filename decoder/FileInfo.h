#pragma once
// Tags and stream facts of a file, open or not, and the ID3v1 genre names.
#include <string>

#include "decoder/Records.h"

namespace sorv {

// Fills both records; false when the file cannot be read as audio.
bool readFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream);
// Name of ID3v1 genre number (0..191, the extended list); empty outside the list.
std::string genreName(int number);

}  // namespace sorv
