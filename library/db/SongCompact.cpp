// Shut-down compaction of the song database. The live file is compacted where it is, under
// SQLite's write lock, so a row another program commits meanwhile is never lost and the file
// keeps its links, owner and mode.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "core/Fonts.h"
#include "decoder/WholeFile.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

void showCompactNotice(PictureArea& panel) {
  panel.cls();
  panel.filledBox(0, 0, panel.scaleWidth(), panel.scaleHeight(), QColor(0, 0, 128));
  panel.setFontName(QString::fromUtf8(kGothic));
  panel.setFontBold(true);
  panel.setForeColor(QColor(255, 0, 255));
  panel.setCurrentX(500);
  panel.setCurrentY(300);
  panel.print(QStringLiteral("ＤＢ最適化中...  しばらくお待ち下さい。"));
  panel.touch();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Writes a compacted copy of source as target, which it replaces only once complete.
bool writeCompactCopy(const QString& source, const QString& target) {
  WholeFileWriter copy;
  if (!copy.open(QFile::encodeName(target).toStdString())) return false;
  try {
    SqlDb db(source);
    db.compactInto(QFile::decodeName(copy.temporaryPath().c_str()));
  } catch (const DbError&) {
    return false;
  }
  return copy.commit();
}

// False when another program is writing the database (after SQLite's wait for the lock): the
// compaction is then left for another time.
bool compactInPlace(const QString& live) {
  try {
    SqlDb db(live);
    db.execute(QStringLiteral("VACUUM"));
    return true;
  } catch (const DbError&) {
    return false;
  }
}

}  // namespace

void compactSongDb(const State& s, const QString& folder, const QString& fileName,
                   PictureArea& panel) {
  if (s.useSongDb != 1 || s.dbState != SongDbState::Open) return;
  const QString live = folder + fileName;
  const QString work = folder + QStringLiteral("_") + fileName;
  const QFileInfo workInfo(work);
  if (!workInfo.exists()) {
    writeCompactCopy(live, work);
    return;
  }
  if (workInfo.size() * 3 < QFileInfo(live).size()) {
    showCompactNotice(panel);
    // The work copy measures the next growth from the compacted size.
    if (compactInPlace(live)) writeCompactCopy(live, work);
  }
}

}  // namespace sorv
