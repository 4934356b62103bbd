#include "app/sorvdb/JetTableReader.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <array>

#include "decoder/RegularFile.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

constexpr int kRowOffsetMask = 0x1fff;  // the bits above flag deleted and overflow rows

// Page 0 of a Jet file starts with a zero page type and the engine's name at offset 4.
bool looksLikeJet(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(19);
  return head.size() == 19 && head[0] == '\0' &&
         (head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB");
}

MdbCatalogEntry* findTable(MdbHandle* mdb, const QString& name) {
  for (guint i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type == MDB_TABLE && QString::fromUtf8(entry->object_name) == name) {
      return entry;
    }
  }
  return nullptr;
}

MdbColumn* column(MdbTableDef* table, int index) {
  return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
}

QVariant fieldValue(MdbHandle* mdb, const MdbColumn* column, const MdbField& field) {
  if (column->col_type == MDB_BOOL) return qint64(field.is_null ? 0 : 1);  // the bit is the value
  if (field.is_null) return QVariant();
  const unsigned char* bytes = mdb->pg_buf + field.start;
  switch (column->col_type) {
    case MDB_BYTE:
      return qint64(bytes[0]);
    case MDB_INT:
      return qint64(qFromLittleEndian<qint16>(bytes));
    case MDB_LONGINT:
      return qint64(qFromLittleEndian<qint32>(bytes));
    default:
      break;
  }
  if (field.siz == 0) return QStringLiteral("");
  char* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, column->col_type, field.siz);
  const QString value = QString::fromUtf8(text ? text : "");
  g_free(text);
  return value;
}

}  // namespace

struct JetTableReader::Open {
  MdbHandle* mdb = nullptr;
  MdbTableDef* table = nullptr;
  ~Open() {
    if (table) mdb_free_tabledef(table);
    if (mdb) mdb_close(mdb);
  }
};

JetTableReader::JetTableReader(const QString& path, const QString& table)
    : path_(path), open_(std::make_unique<Open>()) {
  if (!QFile::exists(path)) throw DbError(path + ": no such file");
  if (!isRegularFile(QFile::encodeName(path).toStdString())) {
    throw DbError(path + ": not a regular file");
  }
  if (!looksLikeJet(path)) throw DbError(path + ": not a Jet database (Microsoft Access .mdb)");
  // libmdb converts Jet 4 text from UTF-16 to the character set named by MDBICONV; we want
  // UTF-8 whatever the caller's environment says. Jet 3 text follows the file's code page.
  qputenv("MDBICONV", "UTF-8");
  open_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
  if (!open_->mdb) throw DbError(path + ": libmdb cannot open it as a Jet database");
  if (QFileInfo(path).size() % open_->mdb->fmt->pg_size != 0) {
    throw DbError(path + ": cut short (not a whole number of pages): a damaged file");
  }
  if (!mdb_read_catalog(open_->mdb, MDB_TABLE)) {
    throw DbError(path + ": cannot read its list of tables (a damaged file?)");
  }
  MdbCatalogEntry* entry = findTable(open_->mdb, table);
  if (!entry) throw DbError(path + ": has no table " + table);
  open_->table = mdb_read_table(entry);
  if (!open_->table || !mdb_read_columns(open_->table)) {
    throw DbError(path + ": cannot read the definition of table " + table);
  }
  for (guint i = 0; i < open_->table->num_cols; ++i) {
    columns_ << QString::fromUtf8(column(open_->table, i)->name);
  }
  mdb_rewind_table(open_->table);
}

JetTableReader::~JetTableReader() = default;

// mdb_fetch_row finds the next live row and leaves its page in the handle; cracking it again
// gives each field's null flag, which libmdb's bound text values cannot tell from "".
bool JetTableReader::next(QVariantList& values) {
  MdbTableDef* table = open_->table;
  const QString name = QString::fromUtf8(table->name);
  if (!mdb_fetch_row(table)) {
    if (rowsRead_ == table->num_rows) return false;
    throw DbError(
        path_ +
        QStringLiteral(": read %1 of the %2 rows of table ").arg(rowsRead_).arg(table->num_rows) +
        name + QStringLiteral(": a damaged file"));
  }
  ++rowsRead_;
  int start = 0;
  size_t size = 0;
  std::array<MdbField, MDB_MAX_COLS> fields{};
  if (mdb_find_row(open_->mdb, static_cast<int>(table->cur_row) - 1, &start, &size) != 0 ||
      mdb_crack_row(table, start & kRowOffsetMask, size, fields.data()) < 0) {
    throw DbError(path_ + ": a damaged row in table " + name);
  }
  values.clear();
  bool empty = true;
  for (int i = 0; i < columns_.size(); ++i) {
    values << fieldValue(open_->mdb, column(table, i), fields[i]);
    empty = empty && (values.last().isNull() || column(table, i)->col_type == MDB_BOOL);
  }
  if (empty) {
    throw DbError(path_ + QStringLiteral(": row %1 of table ").arg(rowsRead_) + name +
                  QStringLiteral(" holds nothing: a damaged file"));
  }
  return true;
}

}  // namespace sorv
