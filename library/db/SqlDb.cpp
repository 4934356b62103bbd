#include "library/db/SqlDb.h"

#include <sqlite3.h>

#include <QFile>
#include <cmath>

#include "library/db/JetLike.h"

namespace sorv {

DbError::DbError(const QString& description) : std::runtime_error(description.toStdString()) {}

SqlDb::SqlDb(const QString& path, bool createFile) {
  // A connection is used by one thread at a time: the engine's own locking per call is waste.
  const int flags =
      SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (createFile ? SQLITE_OPEN_CREATE : 0);
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const QString error = db_ ? lastError() : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError(path + ": " + error);
  }
  sqlite3_extended_result_codes(db_, 1);
  // Another connection (a background loudness measurement) may be writing one short row:
  // wait for it rather than fail; a lock held longer still fails, after a second.
  sqlite3_busy_timeout(db_, 1000);
  registerJetLike(db_);
  // Temporary tables and the sorts that outgrow the cache stay in memory, not in files.
  sqlite3_exec(db_, "PRAGMA temp_store = MEMORY", nullptr, nullptr, nullptr);
}

SqlDb::~SqlDb() {
  sqlite3_close_v2(db_);
}

int SqlDb::changes() const {
  return sqlite3_changes(db_);
}

QString SqlDb::lastError() const {
  return QString::fromUtf8(sqlite3_errmsg(db_));
}

void SqlDb::execute(const QString& sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    const QString error = message ? QString::fromUtf8(message) : lastError();
    sqlite3_free(message);
    throw DbError(error);
  }
}

SqlStatement SqlDb::prepare(const QString& sql) {
  return SqlStatement(*this, sql);
}

void SqlDb::compactInto(const QString& target) {
  SqlStatement vacuum(*this, QStringLiteral("VACUUM INTO ?"));
  vacuum.bind(1, target);
  vacuum.next();
}

QStringList SqlDb::columns(const QString& table) {
  SqlStatement info(*this, QStringLiteral("SELECT name FROM pragma_table_info(?)"));
  info.bind(1, table);
  QStringList names;
  while (info.next()) names << info.text(0);
  return names;
}

bool SqlDb::hasObject(const QString& name) {
  SqlStatement find(*this, QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = ?"));
  find.bind(1, name);
  return find.next();
}

SqlStatement::SqlStatement(SqlDb& db, const QString& sql) : db_(db) {
  const QByteArray text = sql.toUtf8();
  if (sqlite3_prepare_v2(db.handle(), text.constData(), static_cast<int>(text.size()), &stmt_,
                         nullptr) != SQLITE_OK) {
    throw DbError(db.lastError());
  }
  if (!stmt_) throw DbError(QStringLiteral("empty statement"));
}

SqlStatement::~SqlStatement() {
  sqlite3_finalize(stmt_);
}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
  other.stmt_ = nullptr;
}

void SqlStatement::bind(int index, const QVariant& value) {
  int rc = SQLITE_OK;
  if (value.isNull()) {
    rc = sqlite3_bind_null(stmt_, index);
  } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
    rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
  } else if (value.typeId() == QMetaType::Double) {
    rc = sqlite3_bind_double(stmt_, index, value.toDouble());
  } else {
    const QByteArray text = value.toString().toUtf8();
    rc = sqlite3_bind_text(stmt_, index, text.constData(), static_cast<int>(text.size()),
                           SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) throw DbError(db_.lastError());
}

void SqlStatement::bindText(int index, std::string_view utf8) {
  if (sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()),
                        SQLITE_TRANSIENT) != SQLITE_OK) {
    throw DbError(db_.lastError());
  }
}

bool SqlStatement::next() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw DbError(db_.lastError());
}

void SqlStatement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int SqlStatement::columnCount() const {
  return sqlite3_column_count(stmt_);
}

QString SqlStatement::columnName(int column) const {
  return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

int SqlStatement::columnIndex(const QString& name) const {
  for (int i = 0; i < columnCount(); ++i) {
    if (columnName(i) == name) return i;
  }
  return -1;
}

bool SqlStatement::isNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

QString SqlStatement::text(int column) const {
  if (sqlite3_column_type(stmt_, column) == SQLITE_FLOAT) {
    const double value = sqlite3_column_double(stmt_, column);
    if (std::floor(value) == value && std::fabs(value) < 1e15) {
      return QString::number(static_cast<long long>(value));
    }
    return QString::number(value, 'g', 15);
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

double SqlStatement::number(int column) const {
  return sqlite3_column_double(stmt_, column);
}

QString SqlStatement::requiredText(int column) const {
  if (column < 0 || column >= columnCount()) throw DbError(QStringLiteral("no such column"));
  if (isNull(column)) throw DbError(QStringLiteral("NULL in column ") + columnName(column));
  return text(column);
}

QString quotedNames(const QStringList& names) {
  QStringList quoted;
  for (QString name : names) {
    quoted << u'"' + name.replace(u'"', QStringLiteral("\"\"")) + u'"';
  }
  return quoted.join(QStringLiteral(", "));
}

SqlTransaction::SqlTransaction(SqlDb& db) : db_(db) {
  db_.execute(QStringLiteral("BEGIN"));
}

SqlTransaction::~SqlTransaction() {
  if (open_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqlTransaction::commit() {
  db_.execute(QStringLiteral("COMMIT"));
  open_ = false;
}

SqlAppender::SqlAppender(SqlDb& db, const QString& table, const QStringList& columns)
    : transaction_(db),
      insert_(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quotedNames({table}), quotedNames(columns),
                           QStringList(columns.size(), QStringLiteral("?")).join(u','))) {}

void SqlAppender::append(const QVariantList& values) {
  insert_.reset();
  for (int i = 0; i < values.size(); ++i) insert_.bind(i + 1, values[i]);
  insert_.next();
}

void SqlAppender::commit() {
  transaction_.commit();
}

}  // namespace sorv
