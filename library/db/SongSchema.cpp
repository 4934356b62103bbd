#include "library/db/SongSchema.h"

#include <QFile>
#include <QVector>
#include <algorithm>

#include "library/db/SchemaText.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

// The user_version that schema.sql sets.
constexpr int kCurrentForm = 1;
const QString kSongTable = QStringLiteral("アニソンデータ管理");
const QString kOldSongTable = QStringLiteral("アニソンデータ管理_旧");

struct Column {
  QString name, type;
};

QVector<Column> tableColumns(SqlDb& db, const QString& table) {
  SqlStatement info = db.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
  info.bind(1, table);
  QVector<Column> columns;
  while (info.next()) columns.append({info.text(0), info.text(1)});
  return columns;
}

}  // namespace

QString songSchemaSql() {
  return QString::fromUtf8(kSchemaSqlText);
}

void createSongDb(const QString& path) {
  if (QFile::exists(path)) throw DbError(path + ": the file exists already");
  try {
    SqlDb db(path, true);
    db.execute(songSchemaSql());
  } catch (const DbError&) {
    QFile::remove(path);
    throw;
  }
}

namespace {

// Throws DbError when the file is no database.
bool needsUpgrade(SqlDb& db) {
  SqlStatement form = db.prepare(QStringLiteral("PRAGMA user_version"));
  return form.next() && form.number(0) < kCurrentForm && db.hasObject(kSongTable);
}

void rebuild(SqlDb& db) {
  SqlTransaction transaction(db);
  // Our views go first and come back with the schema; views made by hand keep naming the song
  // table (legacy_alter_table: the rename leaves them as they are). The old table's index gives
  // its name back to the new table's.
  db.execute(QStringLiteral("DROP VIEW IF EXISTS テンポラリ; DROP VIEW IF EXISTS テンポラリ２; "
                            "DROP VIEW IF EXISTS 未登録ファイル; PRAGMA legacy_alter_table = ON; "
                            "ALTER TABLE %1 RENAME TO %2; PRAGMA legacy_alter_table = OFF; "
                            "DROP INDEX IF EXISTS アニソンデータ管理_ファイル名")
                 .arg(quotedNames({kSongTable}), quotedNames({kOldSongTable})));
  db.execute(songSchemaSql());
  QStringList names;
  const QVector<Column> current = tableColumns(db, kSongTable);
  for (const Column& column : tableColumns(db, kOldSongTable)) {
    names << column.name;
    const bool known = std::any_of(current.begin(), current.end(),
                                   [&](const Column& c) { return c.name == column.name; });
    if (!known) {
      db.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                     .arg(quotedNames({kSongTable}), quotedNames({column.name}), column.type));
    }
  }
  // OR REPLACE puts a column's default in place of a NULL that its NOT NULL refuses.
  db.execute(QStringLiteral("INSERT OR REPLACE INTO %1 (rowid, %2) SELECT rowid, %2 FROM %3; "
                            "DROP TABLE %3")
                 .arg(quotedNames({kSongTable}), quotedNames(names), quotedNames({kOldSongTable})));
  transaction.commit();
}

}  // namespace

SongDbUpgrade upgradeSongDb(const QString& path, QString* error) {
  bool rebuilding = false;
  try {
    SqlDb db(path);
    if (!needsUpgrade(db)) return SongDbUpgrade::NotNeeded;
    rebuilding = true;
    rebuild(db);
    return SongDbUpgrade::Done;
  } catch (const DbError& e) {
    if (!rebuilding) return SongDbUpgrade::NotNeeded;
    if (error) *error = e.description();
    return SongDbUpgrade::Failed;
  }
}

}  // namespace sorv
