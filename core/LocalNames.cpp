#include "core/LocalNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QUrl>
#include <algorithm>

#include "decoder/LegacyPath.h"
#include "decoder/RegularFile.h"

namespace sorv {

namespace {

QString nameText(std::string_view bytes) {
  return QString::fromStdString(fileNameText(bytes));
}

// A folder that is not a link to one.
bool isRealFolder(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isSongFile(std::string_view name, const std::string& path, SongFiles which) {
  if (!isSongFileName(name, which)) return false;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool isLocalFile(const QString& path) {
  return isRegularFile(path.toStdString());
}

bool isLocalFolder(const QString& path) {
  return isFolderOnDisk(path.toStdString());
}

QStringList commandLineArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << nameText(argv[i]);
  return arguments;
}

QString localPathOfUrl(const QUrl& url) {
  const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  return nameText(std::string_view(bytes.constData(), bytes.size()));
}

QStringList folderEntries(const QString& folder, bool subfolders, SongFiles which) {
  const std::string base = onDiskPath(folder.toStdString());
  QStringList names;
  DIR* dir = opendir(base.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.empty() || name[0] == '.') continue;
    const std::string path = base + "/" + entry->d_name;
    if (subfolders ? isRealFolder(path) : isSongFile(name, path, which)) names << nameText(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace sorv
