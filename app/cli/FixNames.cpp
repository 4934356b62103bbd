#include "app/cli/FixNames.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "decoder/LegacyPath.h"
#include "decoder/TextEncoding.h"

namespace sorv::cli {

namespace fs = std::filesystem;

namespace {

// A path as printable text: names in UTF-8 kept, the bytes of other names as \xNN.
std::string shown(const std::string& path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view name(path.data() + start, end - start);
    for (char c : name) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80 || isValidUtf8(name)) {
        out += c;
      } else {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        out += escaped;
      }
    }
    if (end < path.size()) out += '/';
    start = end + 1;
  }
  return out;
}

std::vector<fs::path> legacyEntriesDeepestFirst(const fs::path& top, std::error_code& error) {
  std::vector<fs::path> entries;
  for (fs::recursive_directory_iterator it(top, error), end; !error && it != end;
       it.increment(error)) {
    if (isLegacyFileName(it->path().filename().native())) entries.push_back(it->path());
  }
  std::stable_sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
    return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
  });
  return entries;
}

}  // namespace

int fixNamesCommand(const std::string& folder, bool apply) {
  std::error_code error;
  const std::vector<fs::path> entries = legacyEntriesDeepestFirst(folder, error);
  if (error) {
    std::fprintf(stderr, "%s: %s\n", shown(folder).c_str(), error.message().c_str());
    return 1;
  }
  int left = 0;
  for (const fs::path& entry : entries) {
    const fs::path target = entry.parent_path() / fileNameText(entry.filename().native());
    std::printf("%s → %s\n", shown(entry.native()).c_str(), shown(target.native()).c_str());
    if (!apply) continue;
    if (fs::exists(fs::symlink_status(target))) {
      std::fprintf(stderr, "%s: already exists, left as it is\n", shown(target.native()).c_str());
      ++left;
    } else if (fs::rename(entry, target, error); error) {
      std::fprintf(stderr, "%s: %s\n", shown(entry.native()).c_str(), error.message().c_str());
      ++left;
    }
  }
  return left ? 1 : 0;
}

}  // namespace sorv::cli
