#pragma once
// The song database's tables and views (schema.sql, built into the program), and the rebuild of
// a database of an earlier form.
#include <QString>

namespace sorv {

// The text of schema.sql.
QString songSchemaSql();
// Makes a new, empty song database at path; throws DbError when that fails or the file exists.
void createSongDb(const QString& path);

enum class SongDbUpgrade { NotNeeded, Done, Failed };
// Rebuilds the song database at path when it is of an earlier form than schema.sql's (its song
// table and views), in
// the current form, in place and in one transaction: rows keep their rowids, columns added by
// hand are kept, and a NULL where the table now has a default takes that default. NotNeeded
// also when the file cannot be read (whoever reads it next says why). On Failed the file is as
// it was, and error (when given) says why.
SongDbUpgrade upgradeSongDb(const QString& path, QString* error = nullptr);

}  // namespace sorv
