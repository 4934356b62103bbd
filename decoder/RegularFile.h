#pragma once
// Only regular files are read: a FIFO, a device or a folder named as a song, a lyric file or a
// list would block a reader for good or fail in ways no reader expects.
#include <cstdio>
#include <string>

namespace sorv {

// True when path names a regular file (after links) that exists.
bool isRegularFile(const std::string& path);
// True when both paths name the same existing file (by device and inode, after links).
bool isSameFile(const std::string& a, const std::string& b);

// Opens path for reading without ever blocking on it: nullptr unless it is a regular file. Both
// find a name written in legacy bytes on disk from its decoded text.
std::FILE* openRegularFile(const std::string& path);

}  // namespace sorv
