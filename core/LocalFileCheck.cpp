#include "core/LocalFileCheck.h"

#include <dirent.h>

#include "core/LocalNames.h"

namespace sorv {

namespace {

std::unordered_set<std::string> regularFilesIn(const std::string& folder) {
  std::unordered_set<std::string> files;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return files;
  while (const dirent* entry = ::readdir(dir))
    if (entry->d_type == DT_REG) files.emplace(entry->d_name);
  ::closedir(dir);
  return files;
}

}  // namespace

bool LocalFileCheck::isFile(const QString& path) {
  const std::string bytes = path.toStdString();
  const std::size_t slash = bytes.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    const std::string folderName = bytes.substr(0, slash);
    Folder& folder = folders_[folderName];
    if (!folder.read && ++folder.named >= 2) {
      folder.files = regularFilesIn(folderName);
      folder.read = true;
    }
    if (folder.files.count(bytes.substr(slash + 1)) != 0) return true;
  }
  // Named once, a link, gone, or a name read from CP932 bytes on disk: looked up in full.
  return isLocalFile(path);
}

}  // namespace sorv
