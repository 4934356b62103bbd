#include "core/session/Leftovers.h"

#include <QDir>
#include <QFile>

namespace sorv {

namespace {

// A file saved through QSaveFile is written to NAME.XXXXXX first.
void removeSaveCopies(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return;
  const QDir dir(folder);
  for (const QString& entry :
       dir.entryList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden)) {
    QFile::remove(dir.filePath(entry));
  }
}

}  // namespace

void removeLeftovers(const State& s) {
  removeSaveCopies(s.workPath, QStringLiteral("sorvane.dat"));
  removeSaveCopies(s.pathDir[4], QStringLiteral("sorvane.m3u"));
  if (s.pathDir[5].isEmpty()) return;
  QFile::remove(s.pathDir[5] + QStringLiteral("_sorvdb.mdb.tmp"));
  QFile::remove(s.pathDir[5] + QStringLiteral("sorvdb.mdb.new"));
}

}  // namespace sorv
