#include "library/db/SongDb.h"

#include <cmath>

#include "core/Paths.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

// The whole-number conversion of the old runtime: round half to even, 16-bit range or an error.
int16_t ToInt16(const SqlStatement& row, int column) {
  bool ok = true;
  const double value = row.RequiredText(column).trimmed().toDouble(&ok);
  if (!ok) throw DbError(QStringLiteral("type mismatch in column ") + row.ColumnName(column));
  const double rounded = std::nearbyint(value);
  if (rounded < -32768 || rounded > 32767) {
    throw DbError(QStringLiteral("overflow in column ") + row.ColumnName(column));
  }
  return static_cast<int16_t>(rounded);
}

// Reads one matching row into the record in the order the fields are listed; a null stops the
// reading with an error, leaving the fields read before it filled.
void ReadSongRow(const SqlStatement& row, State& s) {
  s.SongTitle = row.RequiredText(0);
  s.SongArtist = row.RequiredText(1);
  s.SongProgram = row.RequiredText(2);
  const bool karaoke = row.RequiredText(3).toDouble() == 1.0;
  const QString type = row.RequiredText(4);
  const int16_t number = ToInt16(row, 5);
  s.SongKind = (karaoke ? QStringLiteral("9") : QString()) + type +
               QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
  s.SongYear = row.RequiredText(6);
  s.SongAnimeKind = row.RequiredText(7);
  s.SongGenre = row.RequiredText(8);
}

}  // namespace

QString SongDbPath(const State& s) {
  return s.PathDir[5] + QStringLiteral("sorvdb.mdb");
}

bool SongDbOpens(const QString& path) {
  try {
    SqlDb db(path);
    for (const char* name : {"アニソンデータ管理", "選択候補", "テンポラリ", "テンポラリ２"}) {
      if (!db.HasObject(QString::fromUtf8(name))) return false;
    }
    return true;
  } catch (const DbError&) {
    return false;
  }
}

LookupResult LookupSong(const QString& dbPath, const QString& fileName, State& s, QString* error) {
  try {
    SqlDb db(dbPath);
    SqlStatement row = db.Prepare(QStringLiteral(
        "SELECT 曲名, アーティスト, 番組名, カラオケ, 歌種別, 歌連番, 発表年, アニメ種別, "
        "ジャンルNo FROM アニソンデータ管理 WHERE ファイル名 = ? LIMIT 1"));
    row.Bind(1, fileName);
    if (!row.Next()) return LookupResult::NotFound;
    ReadSongRow(row, s);
    return LookupResult::Found;
  } catch (const DbError& e) {
    if (error) *error = e.description();
    return LookupResult::Failed;
  }
}

bool LookupSongByFile(State& s) {
  if (s.UseSongDb == 0) return false;
  if (s.ListPos < 1 || s.ListPos >= s.ListFile.size()) return false;
  const QString name = FileNamePart(s.ListFile[s.ListPos]);
  return LookupSong(SongDbPath(s), name, s) != LookupResult::Failed;
}

QString GenreName(Decoder& decoder, int16_t genre) {
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
  decoder.vbmp3_getGenre(tag);
  return QString::fromStdString(tag.genreName);
}

}  // namespace sorv
