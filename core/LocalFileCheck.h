#pragma once
// Tells whether the paths of a long list name files, as isLocalFile does, at one short lookup
// each: the folder of the path before is kept open, so a path in the same folder is looked up by
// its name alone instead of walking every folder of it again.
#include <QString>
#include <string>

namespace sorv {

class LocalFileCheck {
 public:
  LocalFileCheck() = default;
  LocalFileCheck(const LocalFileCheck&) = delete;
  LocalFileCheck& operator=(const LocalFileCheck&) = delete;
  ~LocalFileCheck();

  bool isFile(const QString& path);

 private:
  void openFolder(const std::string& folder);

  std::string folder_;
  int folderFd_ = -1;
};

}  // namespace sorv
