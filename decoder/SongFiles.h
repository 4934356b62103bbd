#pragma once
// Which files the program takes as songs, told by their names: the one rule behind the command
// line, the hand-over, drops, play lists and the scan of the search folders.
#include <string_view>

namespace sorv {

// MP3 only (the program's first behaviour), or the other audio formats as well.
enum class SongFiles { Mp3Only, AllFormats };

// A folder's entry: a name ending in ".mp3", and with AllFormats also ".flac", ".m4a", ".ogg",
// ".oga", ".opus", ".wav", ".aif" or ".aiff" (any case).
bool isSongFileName(std::string_view name, SongFiles which);
// A file named on its own (command line, hand-over, a dropped file): a path ending in "mp3" or
// "rmp", or one that isSongFileName takes (any case).
bool isNamedSongFile(std::string_view path, SongFiles which);

}  // namespace sorv
