#include "library/db/SongCsv.h"

#include <QHash>
#include <QRegularExpression>

#include "decoder/TextEncoding.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

const QString kSongTable = QStringLiteral("アニソンデータ管理");

// Column name to declared type of the song table.
QHash<QString, QString> columnTypes(SqlDb& db) {
  SqlStatement info = db.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
  info.bind(1, kSongTable);
  QHash<QString, QString> types;
  while (info.next()) types.insert(info.text(0), info.text(1).toUpper());
  return types;
}

DbError lineError(int line, const QString& what) {
  return DbError(QStringLiteral("line %1: %2").arg(line).arg(what));
}

void checkHeader(const QStringList& header, const QHash<QString, QString>& types) {
  if (header.isEmpty()) throw lineError(1, QStringLiteral("the header names no column"));
  for (const QString& name : header) {
    if (!types.contains(name)) {
      throw lineError(1, QStringLiteral("the song table has no column \"%1\"").arg(name));
    }
    if (header.count(name) > 1) {
      throw lineError(1, QStringLiteral("column \"%1\" is named twice").arg(name));
    }
  }
}

QVariantList rowValues(const QStringList& header, const QStringList& fields,
                       const QHash<QString, QString>& types, int line) {
  if (fields.size() != header.size()) {
    throw lineError(
        line,
        QStringLiteral("%1 fields, but the header names %2").arg(fields.size()).arg(header.size()));
  }
  static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
  QVariantList values;
  for (int i = 0; i < fields.size(); ++i) {
    const QString field = fields[i].trimmed();
    if (types.value(header[i]) != QStringLiteral("INTEGER")) {
      values << fields[i];
    } else if (field.isEmpty()) {
      values << QVariant();  // an empty number is a missing one, as export writes it
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
  const QHash<QString, QString> types = columnTypes(db);
  const QStringList header = records.first();
  checkHeader(header, types);
  SqlAppender appender(db, kSongTable, header);
  for (int r = 1; r < records.size(); ++r) {
    const QVariantList values = rowValues(header, records[r], types, lines[r]);
    try {
      appender.append(values);
    } catch (const DbError& e) {
      throw lineError(lines[r], e.description());
    }
  }
  appender.commit();
  return records.size() - 1;
}

QByteArray exportSongCsv(SqlDb& db) {
  const QStringList columns = db.columns(kSongTable);
  QString out = csvLine(columns) + u'\n';
  SqlStatement rows = db.prepare(
      QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(QuotedNames(columns), kSongTable));
  while (rows.next()) {
    QStringList fields;
    for (int i = 0; i < columns.size(); ++i) fields << rows.text(i);
    out += csvLine(fields) + u'\n';
  }
  return out.toUtf8();
}

}  // namespace sorv
