#pragma once
// Reads one table of a Jet database (a Microsoft Access .mdb file) row by row through libmdb.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace sorv {

class JetTableReader {
 public:
  // Opens the file and the named table. Throws DbError naming the file when it is missing, is
  // not a Jet database, cannot be read, or has no table of that name.
  JetTableReader(const QString& path, const QString& table);
  ~JetTableReader();
  JetTableReader(const JetTableReader&) = delete;
  JetTableReader& operator=(const JetTableReader&) = delete;

  // The table's column names, in column order.
  QStringList columns() const { return columns_; }
  // Reads the next row: one value per column, a null QVariant for NULL, a qint64 for the whole
  // number types (a Yes/No column gives 1 or 0), a QString for everything else. False at the end.
  // Throws DbError for a row it cannot take apart or that holds nothing at all, and at the end
  // when fewer or more rows were read than the table says it has: libmdb ends a table early
  // at a page it cannot read, and reads rows from a damaged page, without a word.
  bool next(QVariantList& values);

 private:
  struct Open;  // the libmdb handles
  QString path_;
  std::unique_ptr<Open> open_;
  QStringList columns_;
  quint64 rowsRead_ = 0;
};

}  // namespace sorv
