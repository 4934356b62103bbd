#pragma once
// A read-only window onto part of an open file: the whole file, or for MP3 inside a RIFF
// container its "data" chunk. The decoders read through it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decoder/RegularFile.h"

namespace sorv {

class FileWindow {
 public:
  // Takes a descriptor of its own of the file open at fd and reads by position, so other
  // readers of that file never disturb it. riffData: a RIFF file is narrowed to its "data"
  // chunk. False when the file cannot be read or is a RIFF file without a data chunk.
  bool open(int fd, bool riffData);
  // Reads up to size bytes at the current position inside the window; -1 on error.
  long read(void* buffer, std::size_t size);
  // Positions inside the window (SEEK_SET/CUR/END relative to the window); -1 on error.
  int64_t seek(int64_t offset, int whence);
  // Bytes in the window.
  int64_t size() const { return size_; }

 private:
  bool findDataChunk();
  // Reads exactly size bytes at a file offset; false when the file holds fewer.
  bool readAt(int64_t offset, void* buffer, std::size_t size) const;
  // Fills ahead_ from the window's offset position; false on a read error.
  bool fillAhead(int64_t position);

  Descriptor file_;
  int64_t start_ = 0;
  int64_t size_ = 0;
  int64_t position_ = 0;
  // What was read ahead: decoders read a few bytes at a time, and one call to the system per
  // frame header costs more than the decoding.
  std::vector<unsigned char> ahead_;
  int64_t aheadStart_ = 0;  // window position of ahead_[0]
};

}  // namespace sorv
