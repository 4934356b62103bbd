#include "core/session/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

namespace sorv {

InstanceLock::InstanceLock(QString path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::tryLock() {
  if (locked_) return true;
  if (fd_ < 0) {
    fd_ = ::open(QFile::encodeName(path_).constData(),
                 O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd_ < 0) return false;
  }
  locked_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  return locked_;
}

}  // namespace sorv
