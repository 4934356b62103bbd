#include "library/db/SongDb.h"

#include <cmath>

#include "core/Paths.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

// The whole-number conversion of the old runtime: round half to even, 16-bit range or an error.
int16_t toInt16(const SqlStatement& row, int column) {
  bool ok = true;
  const double value = row.requiredText(column).trimmed().toDouble(&ok);
  if (!ok || std::isnan(value)) {
    throw DbError(QStringLiteral("type mismatch in column ") + row.columnName(column));
  }
  const double rounded = std::nearbyint(value);
  if (rounded < -32768 || rounded > 32767) {
    throw DbError(QStringLiteral("overflow in column ") + row.columnName(column));
  }
  return static_cast<int16_t>(rounded);
}

// Reads one matching row into the record in the order the fields are listed; a null stops the
// reading with an error, leaving the fields read before it filled.
void readSongRow(const SqlStatement& row, State& s) {
  s.songTitle = row.requiredText(0);
  s.songArtist = row.requiredText(1);
  s.songProgram = row.requiredText(2);
  const bool karaoke = row.requiredText(3).toDouble() == 1.0;
  const QString type = row.requiredText(4);
  const int16_t number = toInt16(row, 5);
  s.songKind = (karaoke ? QStringLiteral("9") : QString()) + type +
               QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
  s.songYear = row.requiredText(6);
  s.songAnimeKind = row.requiredText(7);
  s.songGenre = row.requiredText(8);
}

}  // namespace

QString songDbPath(const State& s) {
  return s.pathDir[5] + QStringLiteral("sorvdb.mdb");
}

bool songDbOpens(const QString& path) {
  // An earlier form that cannot be rebuilt now (another program writes, the file is read-only)
  // serves as it is.
  upgradeSongDb(path);
  try {
    SqlDb db(path);
    for (const char* name : {"アニソンデータ管理", "選択候補", "テンポラリ", "テンポラリ２"}) {
      if (!db.hasObject(QString::fromUtf8(name))) return false;
    }
    return true;
  } catch (const DbError&) {
    return false;
  }
}

const QStringList& songLookupColumns() {
  static const QStringList columns{
      QStringLiteral("曲名"),     QStringLiteral("アーティスト"), QStringLiteral("番組名"),
      QStringLiteral("カラオケ"), QStringLiteral("歌種別"),       QStringLiteral("歌連番"),
      QStringLiteral("発表年"),   QStringLiteral("アニメ種別"),   QStringLiteral("ジャンルNo")};
  return columns;
}

LookupResult lookupSong(const QString& dbPath, const QString& fileName, State& s, QString* error) {
  try {
    SqlDb db(dbPath);
    SqlStatement row =
        db.prepare(QStringLiteral("SELECT %1 FROM アニソンデータ管理 WHERE ファイル名 = ? LIMIT 1")
                       .arg(songLookupColumns().join(QStringLiteral(", "))));
    row.bind(1, fileName);
    if (!row.next()) return LookupResult::NotFound;
    readSongRow(row, s);
    return LookupResult::Found;
  } catch (const DbError& e) {
    if (error) *error = e.description();
    return LookupResult::Failed;
  }
}

bool lookupSongByFile(State& s) {
  if (s.useSongDb == 0) return false;
  if (s.listPos < 1 || s.listPos > s.entries.size()) return false;
  const QString name = fileNamePart(s.entry(s.listPos).file);
  return lookupSong(songDbPath(s), name, s) != LookupResult::Failed;
}

QString genreName(AudioEngine& decoder, int16_t genre) {
  switch (genre) {
    case 36:
      return QStringLiteral("ゲームソング");
    case 254:
      return QStringLiteral("特撮ソング");
    case 255:
      return QStringLiteral("アニメソング");
    default:
      break;
  }
  TagRecord tag;
  tag.genre = genre;
  decoder.fillGenreName(tag);
  return QString::fromStdString(tag.genreName);
}

}  // namespace sorv
