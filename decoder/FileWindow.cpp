#include "decoder/FileWindow.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sorv {

namespace {

uint32_t littleEndian32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool FileWindow::open(int fd, bool riffData) {
  file_ = duplicateDescriptor(fd);
  start_ = 0;
  size_ = openFileSize(file_.get());
  position_ = 0;
  if (size_ < 0) return false;
  std::array<unsigned char, 12> head{};
  if (riffData && readAt(0, head.data(), head.size()) && std::memcmp(head.data(), "RIFF", 4) == 0) {
    return findDataChunk();
  }
  return true;
}

// Walks the chunks after the 12-byte RIFF header; chunks are padded to an even size.
bool FileWindow::findDataChunk() {
  const int64_t total = size_;
  int64_t offset = 12;
  std::array<unsigned char, 8> chunk{};
  while (offset + 8 <= total) {
    if (!readAt(offset, chunk.data(), chunk.size())) return false;
    const int64_t length = littleEndian32(chunk.data() + 4);
    if (std::memcmp(chunk.data(), "data", 4) == 0) {
      start_ = offset + 8;
      size_ = std::min(length, total - start_);
      return size_ > 0;
    }
    offset += 8 + length + (length & 1);
  }
  return false;
}

bool FileWindow::readAt(int64_t offset, void* buffer, std::size_t size) const {
  return ::pread(file_.get(), buffer, size, offset) == static_cast<ssize_t>(size);
}

bool FileWindow::fillAhead(int64_t position) {
  constexpr std::size_t kAheadBytes = 64 * 1024;
  ahead_.resize(static_cast<std::size_t>(std::min<int64_t>(kAheadBytes, size_ - position)));
  ssize_t got = 0;
  do {
    got = ::pread(file_.get(), ahead_.data(), ahead_.size(), start_ + position);
  } while (got < 0 && errno == EINTR);
  ahead_.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
  aheadStart_ = position;
  return got >= 0;
}

long FileWindow::read(void* buffer, std::size_t size) {
  if (!file_) return -1;
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size && position_ < size_) {
    const int64_t offset = position_ - aheadStart_;
    if (offset < 0 || offset >= static_cast<int64_t>(ahead_.size())) {
      if (!fillAhead(position_)) return done > 0 ? static_cast<long>(done) : -1;
      if (ahead_.empty()) break;  // the file is shorter than it was
      continue;
    }
    const std::size_t n = std::min(size - done, ahead_.size() - static_cast<std::size_t>(offset));
    std::memcpy(out + done, ahead_.data() + offset, n);
    done += n;
    position_ += static_cast<int64_t>(n);
  }
  return static_cast<long>(done);
}

int64_t FileWindow::seek(int64_t offset, int whence) {
  int64_t target = offset;
  if (whence == SEEK_CUR) target += position_;
  if (whence == SEEK_END) target += size_;
  if (target < 0 || target > size_) return -1;
  position_ = target;
  return position_;
}

}  // namespace sorv
