#include "app/sorvdb/MdbImport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QVector>
#include <cmath>
#include <filesystem>

#include "app/sorvdb/JetTableReader.h"
#include "library/db/SongColumn.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

const QString kSongTable = QStringLiteral("アニソンデータ管理");
const QString kFileColumn = QStringLiteral("ファイル名");

// Jet numbers become integers where our column holds integers and text where it holds text; a
// text that is not a whole number stays as written, so nothing is lost.
QVariant converted(const QVariant& value, const SongColumn& column) {
  if (value.isNull()) return column.nullValue;
  if (!column.integer) return value.toString();
  if (value.typeId() == QMetaType::LongLong) return value;
  const QString text = value.toString().trimmed();
  bool whole = false;
  const qint64 number = text.toLongLong(&whole);
  if (whole) return number;
  bool numeric = false;
  const double real = text.toDouble(&numeric);
  if (numeric && std::floor(real) == real && std::fabs(real) < 1e15) return qint64(real);
  return value;
}

// Pairs each old column with the song-table column of the same name (ASCII case ignored).
struct ColumnMap {
  QVector<int> oldIndex, songIndex;

  ColumnMap(const QStringList& oldColumns, const QVector<SongColumn>& song, MdbImportReport& r) {
    QVector<bool> used(song.size(), false);
    for (int i = 0; i < oldColumns.size(); ++i) {
      int found = -1;
      for (int s = 0; s < song.size() && found < 0; ++s) {
        if (!used[s] && song[s].name.compare(oldColumns[i], Qt::CaseInsensitive) == 0) found = s;
      }
      (found < 0 ? r.skippedColumns : r.copiedColumns) << oldColumns[i];
      if (found < 0) continue;
      used[found] = true;
      oldIndex << i;
      songIndex << found;
    }
    for (int s = 0; s < song.size(); ++s) {
      if (!used[s]) r.absentColumns << song[s].name;
    }
  }
};

int fileColumn(const QVector<SongColumn>& song) {
  for (int s = 0; s < song.size(); ++s) {
    if (song[s].name == kFileColumn) return s;
  }
  return -1;
}

// The kana columns of a song left empty, as one report line naming the song, or nothing.
QString missingKana(const QVector<SongColumn>& song, const QVariantList& row, int number) {
  QStringList missing;
  for (int s = 0; s < song.size(); ++s) {
    if (song[s].name.endsWith(QStringLiteral("かな")) && row[s].toString().isEmpty()) {
      missing << song[s].name;
    }
  }
  if (missing.isEmpty()) return QString();
  const int file = fileColumn(song);
  const QString name = file >= 0 ? row[file].toString() : QString();
  return (name.isEmpty() ? QStringLiteral("row %1").arg(number) : name) + QStringLiteral(" (") +
         missing.join(QStringLiteral(", ")) + u')';
}

void copySongs(JetTableReader& reader, SqlDb& db, MdbImportReport& report) {
  const QVector<SongColumn> song = songColumns(db);
  const ColumnMap map(reader.columns(), song, report);
  QStringList names;
  for (int s : map.songIndex) names << song[s].name;
  if (names.isEmpty()) throw DbError(QStringLiteral("the old song table has no column we know"));
  SqlAppender appender(db, kSongTable, names);
  QVariantList values;
  while (reader.next(values)) {
    QVariantList row;  // every song column, as the new table will hold it
    for (const SongColumn& column : song) row << column.nullValue;
    for (int m = 0; m < map.oldIndex.size(); ++m) {
      row[map.songIndex[m]] = converted(values[map.oldIndex[m]], song[map.songIndex[m]]);
    }
    QVariantList copied;
    for (int s : map.songIndex) copied << row[s];
    appender.append(copied);
    const QString kana = missingKana(song, row, ++report.songs);
    if (!kana.isEmpty()) report.missingKana << kana;
  }
  appender.commit();
}

// An empty file beside target, named so that no other file is touched.
QString scratchFile(const QString& target) {
  QTemporaryFile scratch(QFileInfo(target).absolutePath() +
                         QStringLiteral("/.sorvdb-import-XXXXXX"));
  scratch.setAutoRemove(false);
  if (!scratch.open()) {
    throw DbError(target + QStringLiteral(": cannot write in its folder (") +
                  scratch.errorString() + u')');
  }
  scratch.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::ReadOther);
  return scratch.fileName();
}

}  // namespace

MdbImportReport importSongMdb(const QString& jetPath, const QString& target) {
  JetTableReader reader(jetPath, kSongTable);  // bad input fails before anything is written
  const QString scratch = scratchFile(target);
  try {
    MdbImportReport report;
    {
      SqlDb db(scratch);  // SQLite takes an empty file as an empty database
      db.execute(songSchemaSql());
      copySongs(reader, db, report);
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(scratch).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error)
      throw DbError(target + QStringLiteral(": ") + QString::fromStdString(error.message()));
    return report;
  } catch (...) {
    QFile::remove(scratch);
    throw;
  }
}

}  // namespace sorv
