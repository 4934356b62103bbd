#pragma once
// A small layer over the sqlite3 C API: a connection opened by path, forward-only statements,
// execution that fails loudly, bulk appends in one transaction, and compaction into a new file.
// Every failure throws DbError with the engine's description.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace sorv {

class DbError : public std::runtime_error {
 public:
  explicit DbError(const QString& description);
  QString description() const { return QString::fromUtf8(what()); }
};

// Names as SQL identifiers, each in double quotes with its own quotes doubled, joined by ", ".
QString quotedNames(const QStringList& names);

class SqlStatement;

class SqlDb {
 public:
  // Opens an existing database file for reading and writing; createFile makes a new one.
  // Registers the Jet-style like() so statements may use "*" and "?" as wildcards.
  explicit SqlDb(const QString& path, bool createFile = false);
  ~SqlDb();
  SqlDb(const SqlDb&) = delete;
  SqlDb& operator=(const SqlDb&) = delete;

  // Runs one or more statements; any error throws (nothing is skipped silently).
  void execute(const QString& sql);
  // A forward-only statement; bind values with SqlStatement::bind before the first Next.
  SqlStatement prepare(const QString& sql);
  // Writes a compacted copy of the whole database to a file that is new or empty.
  void compactInto(const QString& target);
  // Names of the columns of a table, in table order.
  QStringList columns(const QString& table);
  // True when an object (table or view) of that name exists.
  bool hasObject(const QString& name);

  // Rows the last INSERT, UPDATE or DELETE changed.
  int changes() const;
  sqlite3* handle() const { return db_; }
  QString lastError() const;

 private:
  sqlite3* db_ = nullptr;
};

class SqlStatement {
 public:
  SqlStatement(SqlDb& db, const QString& sql);
  ~SqlStatement();
  SqlStatement(SqlStatement&& other) noexcept;
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;
  SqlStatement& operator=(SqlStatement&&) = delete;

  // Parameters are numbered from 1. A null QVariant binds NULL.
  void bind(int index, const QVariant& value);
  void bindText(int index, std::string_view utf8);
  // Steps to the next row: true when there is one, false at the end. Errors throw.
  bool next();
  // Back to before the first row, bindings kept (for re-running an insert).
  void reset();

  int columnCount() const;
  QString columnName(int column) const;
  // Column index of a name, -1 when there is none.
  int columnIndex(const QString& name) const;
  bool isNull(int column) const;
  // Text of a value; whole-numbered reals print without a fraction.
  QString text(int column) const;
  double number(int column) const;
  // The value as text, throwing "NULL in column X" for a null (the reader asked for a value).
  QString requiredText(int column) const;

 private:
  SqlDb& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// One transaction: nothing is kept unless commit runs; the destructor rolls back otherwise.
class SqlTransaction {
 public:
  explicit SqlTransaction(SqlDb& db);
  ~SqlTransaction();
  SqlTransaction(const SqlTransaction&) = delete;
  SqlTransaction& operator=(const SqlTransaction&) = delete;
  void commit();

 private:
  SqlDb& db_;
  bool open_ = true;
};

// Appends rows to one table through one prepared statement inside one transaction. Nothing is
// kept unless Commit runs; the destructor rolls back otherwise.
class SqlAppender {
 public:
  SqlAppender(SqlDb& db, const QString& table, const QStringList& columns);

  // One row, values in the order of the columns. Throws when the engine refuses it.
  void append(const QVariantList& values);
  void commit();

 private:
  SqlTransaction transaction_;
  SqlStatement insert_;
};

}  // namespace sorv
