#pragma once
// Songs in and out of the song table as CSV: a header line naming table columns, then one line
// per song. Fields with commas, quotes or line breaks are quoted, quotes doubled.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QVector>

namespace sorv {

class SqlDb;

// Splits CSV text into records; lineNumbers receives the line each record starts on. Throws
// DbError naming the line when a quoted field is never closed.
QVector<QStringList> parseCsv(const QString& text, QVector<int>* lineNumbers = nullptr);
// One CSV line (without its line end).
QString csvLine(const QStringList& fields);

struct SongCsvImport {
  int songs = 0;     // rows of the file
  int replaced = 0;  // of them, rows that took the place of a song of the same file name
};

// Puts the songs of a CSV file (UTF-8, or CP932 from older tools) into the song table in one
// transaction, reading the file block by block so that memory does not grow with its size. A
// song whose file name the table already holds (in any ASCII case, also from an earlier line of
// the file) replaces that row, so the file names stay unique. A bad header or row throws
// DbError naming its line, and cells that the song lookup needs but that would stay empty
// (columns left out of a database without their defaults, empty numbers) throw naming their
// columns and lines; nothing of the file is kept then.
SongCsvImport importSongCsv(SqlDb& db, QIODevice& csv);
SongCsvImport importSongCsv(SqlDb& db, const QByteArray& bytes);
// The song table as UTF-8 CSV that importSongCsv reads back to the same rows.
QByteArray exportSongCsv(SqlDb& db);

}  // namespace sorv
