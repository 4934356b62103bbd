#include "library/db/SongSchema.h"

#include <QFile>

#include "library/db/SchemaText.h"
#include "library/db/SqlDb.h"

namespace sorv {

QString SongSchemaSql() {
  return QString::fromUtf8(kSchemaSqlText);
}

void CreateSongDb(const QString& path) {
  if (QFile::exists(path)) throw DbError(path + ": the file exists already");
  try {
    SqlDb db(path, true);
    db.Execute(SongSchemaSql());
  } catch (const DbError&) {
    QFile::remove(path);
    throw;
  }
}

}  // namespace sorv
