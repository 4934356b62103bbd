#pragma once
// The song database's tables and views (schema.sql, built into the program).
#include <QString>

namespace sorv {

// The text of schema.sql.
QString songSchemaSql();
// Makes a new, empty song database at path; throws DbError when that fails or the file exists.
void createSongDb(const QString& path);

}  // namespace sorv
