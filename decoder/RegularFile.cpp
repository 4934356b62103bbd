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

std::FILE* openRegularFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
  const int fd = ::open(onDiskPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) ::close(fd);
  return file;
}

}  // namespace sorv
