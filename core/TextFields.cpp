#include "core/TextFields.h"

#include <QFile>

#include "decoder/RegularFile.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kComma = QLatin1Char(',');

}  // namespace

std::optional<QStringList> readTextLines(const QString& path) {
  std::FILE* handle = openRegularFile(QFile::encodeName(path).toStdString());
  QFile file;
  if (!handle || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (handle) std::fclose(handle);
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  const QString text =
      QString::fromStdString(decodeLegacyText(std::string_view(bytes.constData(), bytes.size())));
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QString unquoted(const QString& text) {
  if (text.size() < 2 || !text.startsWith(kQuote) || !text.endsWith(kQuote)) return text;
  QString inner = text.mid(1, text.size() - 2);
  inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
  return inner;
}

QString quoted(const QString& text) {
  QString doubled = text;
  doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return kQuote + doubled + kQuote;
}

std::optional<QString> FieldReader::nextText() {
  while (line_ < lines_.size()) {
    const QString& line = lines_[line_];
    while (column_ < line.size() && line[column_] == QLatin1Char(' ')) ++column_;
    if (column_ >= line.size()) {
      // A line with nothing left holds no further field.
      ++line_;
      column_ = 0;
      continue;
    }
    return line[column_] == kQuote ? quotedField() : plainField();
  }
  return std::nullopt;
}

std::optional<qint64> FieldReader::nextNumber(qint64 low, qint64 high) {
  const std::optional<QString> text = nextText();
  if (!text) return std::nullopt;
  bool ok = false;
  const qint64 value = text->toLongLong(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

void FieldReader::movePast(int end) {
  if (end >= lines_[line_].size()) {
    ++line_;
    column_ = 0;
  } else {
    column_ = end + 1;
  }
}

// The text between the quotes; anything after the closing quote up to the comma is dropped.
QString FieldReader::quotedField() {
  const QString& line = lines_[line_];
  QString field;
  int at = column_ + 1;
  while (at < line.size()) {
    if (line[at] == kQuote) {
      if (at + 1 < line.size() && line[at + 1] == kQuote) {
        field += kQuote;
        at += 2;
        continue;
      }
      ++at;
      break;
    }
    field += line[at++];
  }
  while (at < line.size() && line[at] != kComma) ++at;
  movePast(at);
  return field;
}

QString FieldReader::plainField() {
  const QString& line = lines_[line_];
  const int comma = line.indexOf(kComma, column_);
  const int end = comma < 0 ? line.size() : comma;
  QString field = line.mid(column_, end - column_);
  while (field.endsWith(QLatin1Char(' '))) field.chop(1);
  movePast(end);
  return field;
}

}  // namespace sorv
