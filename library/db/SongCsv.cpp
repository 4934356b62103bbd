#include "library/db/SongCsv.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

#include "decoder/TextEncoding.h"
#include "library/db/SongColumn.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

const QString kSongTable = QStringLiteral("アニソンデータ管理");

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

QVariantList rowValues(const QStringList& header, const QStringList& fields,
                       const QHash<QString, SongColumn>& columns, int line) {
  if (fields.size() != header.size()) {
    throw lineError(
        line,
        QStringLiteral("%1 fields, but the header names %2").arg(fields.size()).arg(header.size()));
  }
  static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
  QVariantList values;
  for (int i = 0; i < fields.size(); ++i) {
    const QString field = fields[i].trimmed();
    const SongColumn& column = columns[header[i]];
    if (!column.integer) {
      values << fields[i];
    } else if (field.isEmpty()) {
      values << column.nullValue;  // an empty number is a missing one, as export writes it
    } else if (bool fits = false; wholeNumber.match(field).hasMatch()) {
      const qlonglong number = field.toLongLong(&fits);
      if (!fits) {
        throw lineError(
            line, QStringLiteral("\"%1\" in column %2 is out of range").arg(field, header[i]));
      }
      values << number;
    } else {
      throw lineError(
          line,
          QStringLiteral("\"%1\" in column %2 is not a whole number").arg(fields[i], header[i]));
    }
  }
  return values;
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
      if (at >= 0 || columns[name].nullValue.isNull()) checked_.append({name, at, {}});
    }
  }
  void check(const QVariantList& values, int line) {
    for (Column& column : checked_) {
      if (column.at < 0 || values[column.at].isNull()) column.lines << line;
    }
  }
  // "the song lookup needs a value in アーティスト: lines 2, 3; ...", or nothing.
  QString description() const {
    QStringList parts;
    for (const Column& column : checked_) {
      if (!column.lines.isEmpty())
        parts << column.name + QStringLiteral(": ") + lineList(column.lines);
    }
    if (parts.isEmpty()) return QString();
    return QStringLiteral("the song lookup needs a value in ") + parts.join(QStringLiteral("; "));
  }

 private:
  struct Column {
    QString name;
    int at;  // in the header, or -1
    QVector<int> lines;
  };
  static QString lineList(const QVector<int>& lines) {
    constexpr int kShown = 10;
    QStringList shown;
    for (int i = 0; i < std::min<int>(lines.size(), kShown); ++i)
      shown << QString::number(lines[i]);
    QString text = (lines.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) +
                   shown.join(QStringLiteral(", "));
    if (lines.size() > kShown) text += QStringLiteral(" and %1 more").arg(lines.size() - kShown);
    return text;
  }
  QVector<Column> checked_;
};

// Splits CSV text one character at a time, remembering the line each record starts on.
struct CsvReader {
  QVector<QStringList> records;
  QVector<int> lines;
  QStringList fields;
  QString field;
  bool quoted = false, started = false;
  int line = 1, recordLine = 1;

  void endRecord() {
    if (started || !field.isEmpty() || !fields.isEmpty()) {
      fields << field;
      records << fields;
      lines << recordLine;
    }
    fields.clear();
    field.clear();
    started = false;
  }
  // Takes one character; true when it also took the next (the second quote of a pair).
  bool take(QChar c, bool doubledQuote) {
    if (c == u'\n') ++line;
    if (quoted) {
      if (c == u'"' && !doubledQuote) quoted = false;
      if (c != u'"' || doubledQuote) field += c;
      return c == u'"' && doubledQuote;
    }
    if (c == u'\n') {
      endRecord();
    } else if (c != u'\r') {
      if (!started) recordLine = line;
      started = true;
      if (c == u'"') {
        quoted = true;
      } else if (c == u',') {
        fields << field;
        field.clear();
      } else {
        field += c;
      }
    }
    return false;
  }
};

bool needsQuotes(const QString& field) {
  return field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
         field.contains(u'\r') || field != field.trimmed();
}

}  // namespace

QVector<QStringList> parseCsv(const QString& text, QVector<int>* lineNumbers) {
  CsvReader reader;
  for (int i = 0; i < text.size(); ++i) {
    const bool doubledQuote = text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"';
    if (reader.take(text[i], doubledQuote)) ++i;
  }
  // A file cut short inside a quoted field would otherwise give a song made of the rest.
  if (reader.quoted)
    throw lineError(reader.recordLine, QStringLiteral("a quoted field is never closed"));
  reader.endRecord();
  if (lineNumbers) *lineNumbers = reader.lines;
  return reader.records;
}

QString csvLine(const QStringList& fields) {
  QStringList out;
  for (const QString& field : fields) {
    out << (needsQuotes(field) ? u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"'
                               : field);
  }
  return out.join(u',');
}

int importSongCsv(SqlDb& db, const QByteArray& bytes) {
  const std::string decoded = decodeLegacyText(std::string_view(bytes.constData(), bytes.size()));
  QVector<int> lines;
  const QVector<QStringList> records = parseCsv(QString::fromStdString(decoded), &lines);
  if (records.isEmpty()) throw lineError(1, QStringLiteral("the file is empty"));
  QHash<QString, SongColumn> columns;
  for (const SongColumn& column : songColumns(db)) columns.insert(column.name, column);
  const QStringList header = records.first();
  checkHeader(header, columns);
  EmptyLookupCells empty(header, columns);
  SqlAppender appender(db, kSongTable, header);
  for (int r = 1; r < records.size(); ++r) {
    const QVariantList values = rowValues(header, records[r], columns, lines[r]);
    empty.check(values, lines[r]);
    try {
      appender.append(values);
    } catch (const DbError& e) {
      throw lineError(lines[r], e.description());
    }
  }
  if (const QString missing = empty.description(); !missing.isEmpty()) throw DbError(missing);
  appender.commit();
  return records.size() - 1;
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
