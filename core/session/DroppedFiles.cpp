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
    for (const QString& name : folderEntries(folders[i], true, SongFiles::Mp3Only)) {
      if (folders.size() >= kMaxDropFolders) break;
      folders << folders[i] + name + kSep;
    }
  }
  return folders;
}

void appendFolderFiles(const QString& top, SongFiles which, int limit, QStringList& files) {
  for (const QString& folder : foldersBreadthFirst(top)) {
    for (const QString& name : folderEntries(folder, false, which)) {
      if (files.size() >= limit) return;
      files << folder + name;
    }
  }
}

}  // namespace

bool hasAudioExtension(const QString& path, SongFiles which) {
  return isNamedSongFile(path.toStdString(), which);
}

QStringList collectSongFiles(const QStringList& items, SongFiles which, int limit) {
  QStringList files;
  for (const QString& given : items) {
    if (files.size() >= limit) break;
    const QString item = absoluteFileName(given, QDir::currentPath());
    if (hasAudioExtension(item, which))
      files << item;
    else if (isLocalFolder(item))
      appendFolderFiles(item, which, limit, files);
  }
  return files;
}

QStringList collectDroppedFiles(const QStringList& items, SongFiles which) {
  return collectSongFiles(items, which, kMaxDropFiles);
}

}  // namespace sorv
