#pragma once
// A read-only window onto part of a file: the whole file for plain MP3, the RIFF "data"
// chunk for MP3 inside a RIFF container. The MPEG decoder reads through it.
#include <cstdint>
#include <cstdio>
#include <string>

namespace sorv {

class FileWindow {
 public:
  FileWindow() = default;
  ~FileWindow();
  FileWindow(const FileWindow&) = delete;
  FileWindow& operator=(const FileWindow&) = delete;

  // Opens the file; a RIFF file narrows the window to its "data" chunk. False when the file
  // cannot be read or is a RIFF file without a data chunk.
  bool open(const std::string& path);
  // Reads up to size bytes at the current position inside the window; -1 on error.
  long read(void* buffer, std::size_t size);
  // Positions inside the window (SEEK_SET/CUR/END relative to the window); -1 on error.
  int64_t seek(int64_t offset, int whence);

 private:
  bool findDataChunk();

  std::FILE* file_ = nullptr;
  int64_t start_ = 0;
  int64_t size_ = 0;
  int64_t position_ = 0;
  bool needsSeek_ = true;  // the stdio position differs from the window's
};

}  // namespace sorv
