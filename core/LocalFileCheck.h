#pragma once
// Tells whether the paths of a long list name files, as isLocalFile does, at a small cost each:
// a folder the list names a second time is read once, and its files are then known by name
// instead of being looked up one by one.
#include <QString>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace sorv {

class LocalFileCheck {
 public:
  bool isFile(const QString& path);

 private:
  struct Folder {
    int named = 0;
    bool read = false;
    std::unordered_set<std::string> files;  // regular files, not links
  };
  std::unordered_map<std::string, Folder> folders_;
};

}  // namespace sorv
