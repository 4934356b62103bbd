#pragma once
// Only regular files are read: a FIFO, a device or a folder named as a song, a lyric file or a
// list would block a reader for good or fail in ways no reader expects.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

namespace sorv {

// True when path names a regular file (after links) that exists.
bool isRegularFile(const std::string& path);
// True when both paths name the same existing file (by device and inode, after links).
bool isSameFile(const std::string& a, const std::string& b);

// An open file descriptor, closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor();
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Hands the descriptor to a new owner; this one is empty afterwards.
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Another descriptor of the file open at fd, sharing its file offset: a reader that keeps its
// own lets the opener close the file, and reads no name again. Empty on error.
Descriptor duplicateDescriptor(int fd);

// Size in bytes of the file open at fd; -1 when it cannot be told.
int64_t openFileSize(int fd);

// Opens path for reading without ever blocking on it: empty unless it is a regular file. Both
// find a name written in legacy bytes on disk from its decoded text.
Descriptor openRegularDescriptor(const std::string& path);
std::FILE* openRegularFile(const std::string& path);

}  // namespace sorv
