// Shut-down compaction of the song database. The live file is only ever replaced by a rename
// of a complete copy, so a failure at any step leaves it as it was.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "core/Fonts.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

// Replaces target by source with one rename (atomic on one file system).
bool replaceFile(const QString& source, const QString& target) {
  return std::rename(QFile::encodeName(source).constData(),
                     QFile::encodeName(target).constData()) == 0;
}

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

// Compacts the live file into a fresh work copy and then puts a copy of it in place of the
// live file.
void recompactLive(const QString& live, const QString& work) {
  const QString liveTemp = live + QStringLiteral(".new");
  if (!compactDatabaseFile(live, work)) return;
  QFile::remove(liveTemp);
  if (!QFile::copy(work, liveTemp) || !replaceFile(liveTemp, live)) QFile::remove(liveTemp);
}

}  // namespace

bool compactDatabaseFile(const QString& source, const QString& target) {
  const QString temp = target + QStringLiteral(".tmp");
  QFile::remove(temp);
  try {
    SqlDb db(source);
    db.compactInto(temp);
  } catch (const DbError&) {
    QFile::remove(temp);
    return false;
  }
  if (replaceFile(temp, target)) return true;
  QFile::remove(temp);
  return false;
}

void compactSongDb(const State& s, const QString& folder, const QString& fileName,
                   PictureArea& panel) {
  if (s.useSongDb != 1 || s.dbState != SongDbState::Open) return;
  const QString live = folder + fileName;
  const QString work = folder + QStringLiteral("_") + fileName;
  const QFileInfo workInfo(work);
  if (!workInfo.exists()) {
    compactDatabaseFile(live, work);
    return;
  }
  if (workInfo.size() * 3 < QFileInfo(live).size()) {
    showCompactNotice(panel);
    recompactLive(live, work);
  }
}

}  // namespace sorv
