#pragma once
// The song table's columns as a database file declares them: files made by older versions lack
// the defaults of today's schema, so the importers ask the file rather than the schema text.
#include <QString>
#include <QVariant>
#include <QVector>

namespace sorv {

class SqlDb;

struct SongColumn {
  QString name;
  bool integer = false;  // declared INTEGER
  QVariant nullValue;    // what an empty value becomes: the default of a NOT NULL column, else NULL
};

// Every column of the song table, in table order.
QVector<SongColumn> songColumns(SqlDb& db);

}  // namespace sorv
