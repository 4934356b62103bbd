#include "core/session/DroppedFiles.h"

#include <QDir>
#include <QFileInfo>

#include "core/Paths.h"

namespace sorv {

namespace {

// The folder and every folder below it, level by level, each ending in the separator.
QStringList foldersBreadthFirst(const QString& top) {
  QString first = top;
  QStringList folders{pathWithSep(first)};
  for (int i = 0; i < folders.size() && folders.size() < kMaxDropFolders; ++i) {
    const QStringList names =
        QDir(folders[i])
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString& name : names) {
      if (folders.size() >= kMaxDropFolders) break;
      folders << folders[i] + name + kSep;
    }
  }
  return folders;
}

void appendFolderFiles(const QString& top, QStringList& files) {
  for (const QString& folder : foldersBreadthFirst(top)) {
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
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
  for (const QString& item : items) {
    if (files.size() >= kMaxListEntries) break;
    if (hasAudioExtension(item))
      files << item;
    else if (QFileInfo(item).isDir())
      appendFolderFiles(item, files);
  }
  return files;
}

}  // namespace sorv
