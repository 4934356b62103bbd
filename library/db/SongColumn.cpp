#include "library/db/SongColumn.h"

#include "library/db/SqlDb.h"

namespace sorv {

namespace {

QVariant defaultValue(SqlDb& db, const QString& expression, bool integer) {
  SqlStatement value = db.prepare(QStringLiteral("SELECT ") + expression);  // from the schema
  if (!value.next() || value.isNull(0)) return QVariant();
  return integer ? QVariant(static_cast<qint64>(value.number(0))) : QVariant(value.text(0));
}

}  // namespace

QVector<SongColumn> songColumns(SqlDb& db) {
  SqlStatement info = db.prepare(
      QStringLiteral("SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info(?)"));
  info.bind(1, QStringLiteral("アニソンデータ管理"));
  QVector<SongColumn> columns;
  while (info.next()) {
    SongColumn column{info.text(0), info.text(1).toUpper() == QStringLiteral("INTEGER"), {}};
    if (info.number(2) != 0 && !info.isNull(3)) {
      column.nullValue = defaultValue(db, info.text(3), column.integer);
    }
    columns << column;
  }
  return columns;
}

}  // namespace sorv
