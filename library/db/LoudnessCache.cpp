#include "library/db/LoudnessCache.h"

#include <sys/stat.h>

#include <QThreadPool>

#include "decoder/LegacyPath.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

struct FileStamp {
  qint64 size = -1;
  qint64 modified = -1;  // nanoseconds since the epoch
};

FileStamp stampOf(const QString& path) {
  struct stat info {};
  if (stat(onDiskPath(path.toStdString()).c_str(), &info) != 0) return {};
  return {static_cast<qint64>(info.st_size),
          static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// The ReplayGain tags of a song: they need no database.
std::optional<Loudness> taggedLoudness(const TaggedLoudness& tagged, bool album) {
  if (album && tagged.album) return tagged.album;
  return tagged.track;
}

}  // namespace

LoudnessCache::LoudnessCache(SqlDb& db) : db_(db) {
  db_.execute(QStringLiteral(
      "CREATE TABLE IF NOT EXISTS ラウドネス (フルパス TEXT PRIMARY KEY, ファイルサイズ INTEGER, "
      "更新時刻 INTEGER, LUFS REAL, ピーク REAL)"));
}

std::optional<Loudness> LoudnessCache::find(const QString& path) {
  SqlStatement row = keyedStatement(
      "SELECT LUFS, ピーク FROM ラウドネス WHERE フルパス = ?1 AND ファイルサイズ = ?2 AND "
      "更新時刻 = ?3",
      path);
  if (!row.next()) return std::nullopt;
  return Loudness{row.number(0), row.number(1)};
}

void LoudnessCache::store(const QString& path, const Loudness& loudness) {
  SqlStatement row = keyedStatement(
      "INSERT OR REPLACE INTO ラウドネス (フルパス, ファイルサイズ, 更新時刻, LUFS, ピーク) "
      "VALUES (?1, ?2, ?3, ?4, ?5)",
      path);
  row.bind(4, loudness.lufs);
  row.bind(5, loudness.peak);
  row.next();
}

SqlStatement LoudnessCache::keyedStatement(const char* sql, const QString& path) {
  const FileStamp stamp = stampOf(path);
  SqlStatement statement = db_.prepare(QString::fromUtf8(sql));
  statement.bind(1, path);
  statement.bind(2, stamp.size);
  statement.bind(3, stamp.modified);
  return statement;
}

std::optional<Loudness> LoudnessCache::knownLoudness(const QString& path, bool album) {
  if (auto tagged = taggedLoudness(readLoudnessTags(path.toStdString()), album)) return tagged;
  return find(path);
}

std::optional<Loudness> LoudnessCache::songLoudness(const QString& path, bool album) {
  if (auto known = knownLoudness(path, album)) return known;
  const auto measured = measureLoudness(path.toStdString());
  if (measured) store(path, *measured);
  return measured;
}

SongLevel songLevel(const QString& dbPath, const QString& path, int mode,
                    const TaggedLoudness& tagged) {
  std::optional<Loudness> known = taggedLoudness(tagged, mode == 2);
  if (!known) {
    try {
      SqlDb db(dbPath);
      known = LoudnessCache(db).find(path);
    } catch (const DbError&) {
      return {};
    }
  }
  if (known) return {mode == 0 ? 0.0 : replayGainDb(*known), known->peak};
  // Even with loudness matching off the peak is wanted: it spares an equalizer boost the cut
  // of everything else.
  QThreadPool::globalInstance()->start([dbPath, path] {
    try {
      SqlDb db(dbPath);
      LoudnessCache(db).songLoudness(path, false);
    } catch (const DbError&) {
      // Not kept: the song is measured again the next time it plays.
    }
  });
  return {};
}

}  // namespace sorv
