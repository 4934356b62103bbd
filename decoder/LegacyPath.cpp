#include "decoder/LegacyPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include "decoder/LegacyText.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

bool exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// The entry of folder whose name reads as text, or nothing.
std::string entryReadingAs(const std::string& folder, const std::string& text) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (isLegacyFileName(name) && fileNameText(name) == text) {
      found = name;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::string foldedCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The first by byte order of the folder's entries whose name reads as text but for case, so
// the same one is found every time.
std::string entryReadingAsAnyCase(const std::string& folder, const std::string& text) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return {};
  const std::string wanted = foldedCase(text);
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    const std::string name(entry->d_name);
    if ((found.empty() || name < found) && foldedCase(fileNameText(name)) == wanted) found = name;
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string fileNameText(std::string_view bytes) {
  return legacyTextToUtf8(bytes);
}

bool isLegacyFileName(std::string_view bytes) {
  return !isValidUtf8(bytes);
}

std::string onDiskPath(const std::string& path) {
  if (path.empty() || exists(path)) return path;
  std::string resolved;
  std::size_t start = path[0] == '/' ? 1 : 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    const std::string folder = resolved.empty() && path[0] != '/' ? "." : resolved;
    std::string next = (start ? resolved + "/" : resolved) + name;
    if (!name.empty() && !exists(next)) {
      const std::string entry = entryReadingAs(folder, name);
      if (entry.empty()) return path;
      next = (start ? resolved + "/" : resolved) + entry;
    }
    resolved = next;
    start = end + 1;
  }
  return resolved;
}

std::string anyCaseOnDiskPath(const std::string& path) {
  const std::string exact = onDiskPath(path);
  if (exists(exact)) return exact;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : onDiskPath(path.substr(0, slash));
  const std::string entry = entryReadingAsAnyCase(folder, path.substr(slash + 1));
  if (entry.empty()) return path;
  return slash == std::string::npos ? entry : folder + "/" + entry;
}

bool isFolderOnDisk(const std::string& path) {
  struct stat info {};
  return stat(onDiskPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace sorv
