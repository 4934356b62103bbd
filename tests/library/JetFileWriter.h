#pragma once
// A small Jet 4 (Access 2000 .mdb) file writer for the tests: it lays out the pages a reader of
// the format walks (database definition page, the MSysObjects catalog, one table definition and
// its data pages per table, usage maps) so that the import is tested on a real Jet file read by
// the real libmdb. No indexes, no long values, one definition page per table.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

namespace sorv::test {

enum class JetType : quint8 {
  Bool = 0x01,     // value in the null mask, never null
  Byte = 0x02,     // unsigned 8 bits
  Int = 0x03,      // signed 16 bits
  LongInt = 0x04,  // signed 32 bits
  Text = 0x0a,     // up to maxChars UTF-16 characters
  Ole = 0x0b,      // long binary; this writer only stores nulls in it
};

struct JetColumn {
  QString name;
  JetType type;
  int maxChars = 255;
};

// Rows hold one value per column: a null QVariant for NULL, a bool, an integer or a QString.
struct JetTable {
  QString name;
  QVector<JetColumn> columns;
  QVector<QVariantList> rows;
};

// The bytes of a Jet 4 database holding the tables. Throws std::invalid_argument when a value
// does not fit its column or the tables do not fit the simple layout.
QByteArray buildJetFile(const QVector<JetTable>& tables);

}  // namespace sorv::test
