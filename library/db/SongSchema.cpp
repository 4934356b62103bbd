#include "library/db/SongSchema.h"

#include <QFile>

#include "library/db/SchemaText.h"
#include "library/db/SqlDb.h"

namespace sorv {

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

}  // namespace sorv
