#pragma once
// Songs in and out of the song table as CSV: a header line naming table columns, then one line
// per song. Fields with commas, quotes or line breaks are quoted, quotes doubled.
#include <QByteArray>
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

// Appends the songs of a CSV file's bytes (UTF-8, or CP932 from older tools) in one
// transaction and returns their number. A bad header or row throws DbError naming its line, and
// cells that the song lookup needs but that would stay empty (columns left out of a database
// without their defaults, empty numbers) throw naming their columns and lines; nothing of the
// file is kept then.
int importSongCsv(SqlDb& db, const QByteArray& bytes);
// The song table as UTF-8 CSV that importSongCsv reads back to the same rows.
QByteArray exportSongCsv(SqlDb& db);

}  // namespace sorv
