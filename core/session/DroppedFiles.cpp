#include "core/session/DroppedFiles.h"

#include <QDir>

#include "core/LocalNames.h"
#include "core/Paths.h"

namespace sorv {

namespace {

// The folder and every folder below it, level by level, each ending in the separator.
QStringList foldersBreadthFirst(const QString& top) {
  QString first = top;
  QStringList folders{pathWithSep(first)};
  for (int i = 0; i < folders.size() && folders.size() < kMaxDropFolders; ++i) {
    for (const QString& name : folderEntries(folders[i], true)) {
      if (folders.size() >= kMaxDropFolders) break;
      folders << folders[i] + name + kSep;
    }
  }
  return folders;
}

void appendFolderFiles(const QString& top, QStringList& files) {
  for (const QString& folder : foldersBreadthFirst(top)) {
    for (const QString& name : folderEntries(folder, false)) {
      if (files.size() >= kMaxListEntries) return;
      files << folder + name;
    }
  }
}

}  // namespace

bool hasAudioExtension(const QString& path) {
  const QString ext = path.right(3).toLower();
  return ext == QLatin1String("mp3") || ext == QLatin1String("rmp");
}

QStringList collectDroppedFiles(const QStringList& items) {
  QStringList files;
  for (const QString& given : items) {
    if (files.size() >= kMaxListEntries) break;
    const QString item = absoluteFileName(given, QDir::currentPath());
    if (hasAudioExtension(item))
      files << item;
    else if (isLocalFolder(item))
      appendFolderFiles(item, files);
  }
  return files;
}

}  // namespace sorv
