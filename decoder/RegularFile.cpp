#include "decoder/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "decoder/LegacyPath.h"

namespace sorv {

bool isRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(onDiskPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isSameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return ::stat(onDiskPath(a).c_str(), &first) == 0 &&
         ::stat(onDiskPath(b).c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

Descriptor duplicateDescriptor(int fd) {
  return Descriptor(fd >= 0 ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1);
}

int64_t openFileSize(int fd) {
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

Descriptor openRegularDescriptor(const std::string& path) {
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
  Descriptor file(::open(onDiskPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!file || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return Descriptor();
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  return file;
}

std::FILE* openRegularFile(const std::string& path) {
  Descriptor file = openRegularDescriptor(path);
  if (!file) return nullptr;
  std::FILE* handle = ::fdopen(file.get(), "rb");
  if (handle) file.release();  // the stream closes it
  return handle;
}

}  // namespace sorv
