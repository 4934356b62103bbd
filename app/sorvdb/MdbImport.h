#pragma once
// Moving a song database of the Windows era (a Jet .mdb file) to our SQLite song database.
#include <QString>
#include <QStringList>

namespace sorv {

struct MdbImportReport {
  int songs = 0;
  QStringList copiedColumns;   // columns of the old song table that the new one has
  QStringList skippedColumns;  // columns of the old song table that the new one does not know
  QStringList absentColumns;   // columns of the new song table that the old one lacks
  QStringList missingKana;     // per song without some kana reading: "FILE (column, column)"
};

// Reads the song table of the Jet database at jetPath and writes a new song database with it at
// target. The new database is built beside target and takes its place (replacing a file there)
// only once it is complete. Throws DbError; target is then untouched and nothing is left behind.
MdbImportReport importSongMdb(const QString& jetPath, const QString& target);

}  // namespace sorv
