#include "decoder/WholeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace sorv {

namespace {

constexpr std::string_view kPrefix = ".sorvane-tmp-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string randomLetters() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string text(kRandomLength, ' ');
  for (char& letter : text) letter = kLetters[pick(generator)];
  return text;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a link names; path itself when it is no link or the link leads nowhere.
std::string linkTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// True while name is still the file open at fd: a cleaner may have taken it before the lock.
bool stillNamed(int fd, const std::string& name) {
  struct stat open {
  }, named{};
  return ::fstat(fd, &open) == 0 && ::lstat(name.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// A new temporary file in folder, locked; empty with errno set when none can be made.
Descriptor makeTemporary(const std::string& folder, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/" + std::string(kPrefix) + randomLetters();
    Descriptor fd(::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd && errno != EEXIST) return fd;
    // Where the file system has no locks, no cleaner can take the file either.
    if (fd && (::flock(fd.get(), LOCK_EX) != 0 || stillNamed(fd.get(), name))) return fd;
  }
  errno = EEXIST;
  return Descriptor();
}

void keepModeAndOwner(int fd, const std::string& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) return;
  // Only root may give a file away; the mode passes in any case (after the owner, which would
  // clear its set-id bits).
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return;
  ::fchmod(fd, old.st_mode & 07777);
}

// Writes every byte at the file offset (offset < 0) or at offset.
bool writeFully(int fd, const void* data, std::size_t bytes, off_t offset = -1) {
  const char* at = static_cast<const char*>(data);
  while (bytes > 0) {
    const ssize_t n = offset < 0 ? ::write(fd, at, bytes) : ::pwrite(fd, at, bytes, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    bytes -= static_cast<std::size_t>(n);
    if (offset >= 0) offset += n;
  }
  return true;
}

bool readFully(int fd, std::string& content) {
  for (std::size_t done = 0; done < content.size();) {
    const ssize_t n = ::pread(fd, content.data() + done, content.size() - done, done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool replaceContent(int fd, std::string_view content) {
  return writeFully(fd, content.data(), content.size(), 0) &&
         ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
}

bool writeInPlace(const std::string& target, std::string_view content) {
  Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  struct stat info {};
  if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::string old(static_cast<std::size_t>(info.st_size), '\0');
  if (!readFully(fd.get(), old)) return false;
  if (!content.empty() && ::posix_fallocate(fd.get(), 0, static_cast<off_t>(content.size())) != 0) {
    return false;
  }
  if (replaceContent(fd.get(), content)) return true;
  replaceContent(fd.get(), old);
  return false;
}

bool renameKeeping(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL) return false;
  // A file system without the flag: the check and the rename are two steps there.
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// Removes path when it is a temporary file of this user that no writer holds.
void removeIfStale(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_uid != ::geteuid()) {
    return;
  }
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 && stillNamed(fd.get(), path))
    ::unlink(path.c_str());
}

}  // namespace

WholeFileWriter::~WholeFileWriter() {
  abandon();
}

bool WholeFileWriter::open(const std::string& target, Link link) {
  abandon();
  failed_ = false;
  target_ = link == Link::Follow ? linkTarget(target) : target;
  fd_ = makeTemporary(folderOf(target_), temporary_);
  if (!fd_) return false;
  keepModeAndOwner(fd_.get(), target_);
  return true;
}

bool WholeFileWriter::write(const void* data, std::size_t bytes) {
  failed_ = failed_ || !fd_ || !writeFully(fd_.get(), data, bytes);
  return !failed_;
}

bool WholeFileWriter::writeAt(uint64_t offset, const void* data, std::size_t bytes) {
  failed_ = failed_ || !fd_ || !writeFully(fd_.get(), data, bytes, static_cast<off_t>(offset));
  return !failed_;
}

bool WholeFileWriter::commit(Existing existing) {
  if (!fd_) return false;
  // The rename comes before the close: the lock keeps cleaners away until the name is gone.
  const bool done =
      !failed_ && ::fsync(fd_.get()) == 0 &&
      (existing == Existing::Keep ? renameKeeping(temporary_, target_)
                                  : ::rename(temporary_.c_str(), target_.c_str()) == 0);
  if (!done) {
    const int error = errno;
    abandon();
    errno = error;
    return false;
  }
  fd_ = Descriptor();
  temporary_.clear();
  return true;
}

void WholeFileWriter::abandon() {
  if (!fd_) return;
  ::unlink(temporary_.c_str());
  fd_ = Descriptor();
  temporary_.clear();
}

bool writeWholeFile(const std::string& target, std::string_view content) {
  WholeFileWriter file;
  if (file.open(target)) return file.write(content.data(), content.size()) && file.commit();
  if (errno != EACCES && errno != EPERM) return false;
  return writeInPlace(linkTarget(target), content);
}

bool isTemporaryName(std::string_view name) {
  return name.size() == kPrefix.size() + kRandomLength && name.starts_with(kPrefix) &&
         std::all_of(name.begin() + kPrefix.size(), name.end(),
                     [](char c) { return kLetters.find(c) != std::string_view::npos; });
}

void removeStaleTemporaries(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    if (isTemporaryName(entry->path().filename().native())) removeIfStale(entry->path().native());
  }
}

}  // namespace sorv
