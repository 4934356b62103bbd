#pragma once
// The lock that decides which copy runs: an flock on a file beside the hand-over socket. The
// kernel lets it go when its holder ends, however it ends, so a lock is never stale.
#include <QString>

namespace sorv {

class InstanceLock {
 public:
  // path: the lock file; it is made (owner-only) when missing and never removed.
  explicit InstanceLock(QString path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock without waiting; true when this process holds it (now or already).
  bool tryLock();
  bool isLocked() const { return locked_; }

 private:
  QString path_;
  int fd_ = -1;
  bool locked_ = false;
};

}  // namespace sorv
