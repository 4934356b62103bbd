#include "core/LocalFileCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/LocalNames.h"

namespace sorv {

LocalFileCheck::~LocalFileCheck() {
  if (folderFd_ >= 0) ::close(folderFd_);
}

void LocalFileCheck::openFolder(const std::string& folder) {
  if (folder == folder_) return;
  if (folderFd_ >= 0) ::close(folderFd_);
  folder_ = folder;
  folderFd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool LocalFileCheck::isFile(const QString& path) {
  const std::string bytes = path.toStdString();
  const std::size_t slash = bytes.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    openFolder(bytes.substr(0, slash));
    struct stat info {};
    if (folderFd_ >= 0 && ::fstatat(folderFd_, bytes.c_str() + slash + 1, &info, 0) == 0)
      return S_ISREG(info.st_mode);
  }
  // Not found as written: the name may be one read from CP932 bytes on disk.
  return isLocalFile(path);
}

}  // namespace sorv
