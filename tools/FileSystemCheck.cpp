#include "tools/FileSystemCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "core/Paths.h"

namespace sorv {

namespace {

QString WithoutTrailingSeps(QString path) {
  while (path.size() > 1 && path.endsWith(kSep)) path.chop(1);
  return path;
}

// The nearest folder at or above path that exists: QStorageInfo needs an existing path.
QString NearestExisting(const QString& path) {
  QFileInfo info(WithoutTrailingSeps(path));
  while (!info.exists()) {
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath()) break;
    info = QFileInfo(parent);
  }
  return info.absoluteFilePath();
}

}  // namespace

bool PathExists(const QString& path) {
  if (path.isEmpty()) return false;
  return QFileInfo::exists(WithoutTrailingSeps(path));
}

bool DriveReady(const QString& root) {
  const QStorageInfo volume(root);
  if (!volume.isValid() || !volume.isReady()) return false;
  const QDir top(root);
  return top.exists() && top.isReadable();
}

QString DriveOf(const QString& path) {
  const QStorageInfo volume(NearestExisting(path.isEmpty() ? QDir::currentPath() : path));
  return volume.isValid() ? volume.rootPath() : QStringLiteral("/");
}

}  // namespace sorv
