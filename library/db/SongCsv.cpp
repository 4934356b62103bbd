#include "library/db/SongCsv.h"

#include <QBuffer>
#include <QHash>
#include <algorithm>
#include <charconv>
#include <optional>

#include "library/db/CsvSplitter.h"
#include "library/db/SongColumn.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"
#include "library/db/TextBlocks.h"

namespace sorv {

namespace {

const QString kSongTable = QStringLiteral("アニソンデータ管理");
const QString kFileNameColumn = QStringLiteral("ファイル名");

DbError lineError(int line, const QString& what) {
  return DbError(QStringLiteral("line %1: %2").arg(line).arg(what));
}

void checkHeader(const QStringList& header, const QHash<QString, SongColumn>& columns) {
  if (header.isEmpty()) throw lineError(1, QStringLiteral("the header names no column"));
  for (const QString& name : header) {
    if (!columns.contains(name)) {
      throw lineError(1, QStringLiteral("the song table has no column \"%1\"").arg(name));
    }
    if (header.count(name) > 1) {
      throw lineError(1, QStringLiteral("column \"%1\" is named twice").arg(name));
    }
  }
}

bool isAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
}

// The cell without the white space around it, as QString::trimmed takes it off.
std::string trimmed(const std::string& cell) {
  if (!isAscii(cell)) return QString::fromStdString(cell).trimmed().toStdString();
  const auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  const auto begin = std::find_if_not(cell.begin(), cell.end(), space);
  const auto end = std::find_if_not(cell.rbegin(), cell.rend(), space).base();
  return begin < end ? std::string(begin, end) : std::string();
}

bool isWholeNumber(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a cell of an integer column: an empty cell is a missing number, as export
// writes it.
QVariant numberValue(const std::string& cell, const SongColumn& column, int line) {
  const std::string field = trimmed(cell);
  if (field.empty()) return column.nullValue;
  if (!isWholeNumber(field)) {
    throw lineError(line, QStringLiteral("\"%1\" in column %2 is not a whole number")
                              .arg(QString::fromStdString(cell), column.name));
  }
  const char* digits = field.data() + (field[0] == '+' ? 1 : 0);
  qlonglong number = 0;
  if (std::from_chars(digits, field.data() + field.size(), number).ec != std::errc()) {
    throw lineError(line, QStringLiteral("\"%1\" in column %2 is out of range")
                              .arg(QString::fromStdString(field), column.name));
  }
  return number;
}

// The lines whose lookup columns would stay NULL, per column: such a song never shows in the
// tree and makes the lookup fail. In a database made before those columns had defaults, a
// column that the file leaves out is empty on every line.
class EmptyLookupCells {
 public:
  EmptyLookupCells(const QStringList& header, const QHash<QString, SongColumn>& columns) {
    for (const QString& name : songLookupColumns()) {
      if (!columns.contains(name)) continue;  // the lookup reports a table without it
      const int at = header.indexOf(name);
      if (at >= 0 || columns[name].nullValue.isNull()) checked_.append({name, at, {}, 0});
    }
  }
  void check(const std::vector<bool>& nullAt, int line) {
    for (Column& column : checked_) {
      if (column.at >= 0 && !nullAt[column.at]) continue;
      if (column.shown.size() < kShown) column.shown << QString::number(line);
      ++column.count;
    }
  }
  // "the song lookup needs a value in アーティスト: lines 2, 3; ...", or nothing.
  QString description() const {
    QStringList parts;
    for (const Column& column : checked_) {
      if (column.count > 0) parts << column.name + QStringLiteral(": ") + lineList(column);
    }
    if (parts.isEmpty()) return QString();
    return QStringLiteral("the song lookup needs a value in ") + parts.join(QStringLiteral("; "));
  }

 private:
  static constexpr int kShown = 10;
  struct Column {
    QString name;
    int at;             // in the header, or -1
    QStringList shown;  // the first lines
    qsizetype count;    // of all lines
  };
  static QString lineList(const Column& column) {
    QString text = (column.count == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) +
                   column.shown.join(QStringLiteral(", "));
    if (column.count > kShown) text += QStringLiteral(" and %1 more").arg(column.count - kShown);
    return text;
  }
  QVector<Column> checked_;
};

// Writes the records of a CSV file into the song table: the first names the columns, each other
// one is a song, replacing the row of the same file name.
class SongTableWriter {
 public:
  explicit SongTableWriter(SqlDb& db) : db_(db), transaction_(db) {
    for (const SongColumn& column : songColumns(db)) columns_.insert(column.name, column);
  }

  void take(std::span<const std::string> fields, int line) {
    if (insert_) {
      write(fields, line);
    } else {
      start(fields);
    }
  }

  SongCsvImport finish() {
    if (!insert_) throw lineError(1, QStringLiteral("the file is empty"));
    if (const QString missing = empty_->description(); !missing.isEmpty()) throw DbError(missing);
    transaction_.commit();
    return done_;
  }

 private:
  void start(std::span<const std::string> fields) {
    for (const std::string& name : fields) header_ << QString::fromStdString(name);
    checkHeader(header_, columns_);
    empty_.emplace(header_, columns_);
    for (const QString& name : header_) headerColumns_.push_back(&columns_[name]);
    nullAt_.resize(header_.size());
    insert_.emplace(db_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(quotedNames({kSongTable}), quotedNames(header_),
                                  QStringList(header_.size(), QStringLiteral("?")).join(u',')));
    keyAt_ = header_.indexOf(kFileNameColumn);
    if (keyAt_ >= 0) {
      remove_.emplace(db_, QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                               .arg(quotedNames({kSongTable}), quotedNames({kFileNameColumn})));
    }
  }

  void write(std::span<const std::string> fields, int line) {
    if (static_cast<qsizetype>(fields.size()) != header_.size()) {
      throw lineError(line, QStringLiteral("%1 fields, but the header names %2")
                                .arg(fields.size())
                                .arg(header_.size()));
    }
    insert_->reset();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const SongColumn& column = *headerColumns_[i];
      if (column.integer) {
        const QVariant number = numberValue(fields[i], column, line);
        nullAt_[i] = number.isNull();
        insert_->bind(int(i) + 1, number);
      } else {
        nullAt_[i] = false;
        insert_->bindText(int(i) + 1, fields[i]);
      }
    }
    empty_->check(nullAt_, line);
    try {
      if (remove_) {
        remove_->reset();
        remove_->bindText(1, fields[keyAt_]);
        remove_->next();
        if (db_.changes() > 0) ++done_.replaced;
      }
      insert_->next();
    } catch (const DbError& e) {
      throw lineError(line, e.description());
    }
    ++done_.songs;
  }

  SqlDb& db_;
  SqlTransaction transaction_;
  QHash<QString, SongColumn> columns_;
  QStringList header_;
  std::vector<const SongColumn*> headerColumns_;
  std::vector<bool> nullAt_;
  std::optional<EmptyLookupCells> empty_;
  std::optional<SqlStatement> insert_, remove_;
  qsizetype keyAt_ = -1;
  SongCsvImport done_;
};

bool needsQuotes(const QString& field) {
  return field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
         field.contains(u'\r') || field != field.trimmed();
}

}  // namespace

QVector<QStringList> parseCsv(const QString& text, QVector<int>* lineNumbers) {
  QVector<QStringList> records;
  QVector<int> lines;
  CsvSplitter splitter([&](std::span<const std::string> fields, int line) {
    QStringList record;
    for (const std::string& field : fields) record << QString::fromStdString(field);
    records << record;
    lines << line;
  });
  splitter.feed(text.toStdString());
  splitter.finish();
  if (lineNumbers) *lineNumbers = lines;
  return records;
}

QString csvLine(const QStringList& fields) {
  QStringList out;
  for (const QString& field : fields) {
    out << (needsQuotes(field) ? u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"'
                               : field);
  }
  return out.join(u',');
}

SongCsvImport importSongCsv(SqlDb& db, QIODevice& csv) {
  TextBlocks blocks(csv);
  const FileCharset charset = detectFileCharset(blocks);
  blocks.rewind();
  SongTableWriter writer(db);
  CsvSplitter splitter(
      [&](std::span<const std::string> fields, int line) { writer.take(fields, line); });
  std::string text;
  for (std::string_view block; blocks.next(block);) {
    text.clear();
    appendUtf8Block(block, charset, text);
    splitter.feed(text);
  }
  splitter.finish();
  return writer.finish();
}

SongCsvImport importSongCsv(SqlDb& db, const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return importSongCsv(db, buffer);
}

QByteArray exportSongCsv(SqlDb& db) {
  const QStringList columns = db.columns(kSongTable);
  QString out = csvLine(columns) + u'\n';
  SqlStatement rows = db.prepare(
      QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(quotedNames(columns), kSongTable));
  while (rows.next()) {
    QStringList fields;
    for (int i = 0; i < columns.size(); ++i) fields << rows.text(i);
    out += csvLine(fields) + u'\n';
  }
  return out.toUtf8();
}

}  // namespace sorv
