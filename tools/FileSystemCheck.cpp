#include "tools/FileSystemCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "core/Paths.h"

namespace sorv {

namespace {

QString withoutTrailingSeps(QString path) {
  while (path.size() > 1 && path.endsWith(kSep)) path.chop(1);
  return path;
}

// The nearest folder at or above path that exists: QStorageInfo needs an existing path.
QString nearestExisting(const QString& path) {
  QFileInfo info(withoutTrailingSeps(path));
  while (!info.exists()) {
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath()) break;
    info = QFileInfo(parent);
  }
  return info.absoluteFilePath();
}

}  // namespace

bool pathExists(const QString& path) {
  if (path.isEmpty()) return false;
  return QFileInfo::exists(withoutTrailingSeps(path));
}

bool driveReady(const QString& root) {
  const QStorageInfo volume(root);
  if (!volume.isValid() || !volume.isReady()) return false;
  const QDir top(root);
  return top.exists() && top.isReadable();
}

QString driveOf(const QString& path) {
  const QStorageInfo volume(nearestExisting(path.isEmpty() ? QDir::currentPath() : path));
  return volume.isValid() ? volume.rootPath() : QStringLiteral("/");
}

}  // namespace sorv
