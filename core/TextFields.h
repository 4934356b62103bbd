#pragma once
// Reading the program's text files (state file and play lists): UTF-8, or CP932 from the Windows
// era, in lines ending in CR LF or LF, and the comma-separated fields of the state file.
#include <QString>
#include <QStringList>
#include <optional>

namespace sorv {

// The lines of a text file; nullopt when it cannot be opened. A last line end adds no line.
std::optional<QStringList> readTextLines(const QString& path);

// A text with its double quotes removed when the whole of it stands in quotes, a doubled quote
// inside becoming one.
QString unquoted(const QString& text);

// Quotes a text for the state file, doubling any quote inside it.
QString quoted(const QString& text);

// Fields separated by commas or line ends. Leading blanks are skipped; a field that begins with
// a double quote runs to its closing quote (a doubled quote stands for one) and loses the quotes;
// an unquoted field loses its trailing blanks.
class FieldReader {
 public:
  explicit FieldReader(QStringList lines) : lines_(std::move(lines)) {}
  // The next field; nullopt at the end of the text.
  std::optional<QString> nextText();
  // The next field as a whole number within [low, high]; nullopt at the end or when the field
  // is not such a number.
  std::optional<qint64> nextNumber(qint64 low, qint64 high);

 private:
  // Moves past the comma at end, or to the next line when end is the line's end.
  void movePast(int end);
  QString quotedField();
  QString plainField();

  QStringList lines_;
  int line_ = 0;
  int column_ = 0;
};

}  // namespace sorv
