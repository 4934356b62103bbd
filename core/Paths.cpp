#include "core/Paths.h"

#include <QDir>

namespace sorv {

namespace {

bool isBlank(QChar c) {
  return c == QLatin1Char(' ');
}

}  // namespace

QString PathWithSep(QString& path) {
  int end = path.size();
  while (end > 0 && isBlank(path[end - 1])) --end;
  if (end > 0 && path[end - 1] != kSep) {
    int start = 0;
    while (start < end && isBlank(path[start])) ++start;
    path = path.mid(start, end - start) + kSep;
  }
  return path;
}

QString FileNamePart(const QString& path) {
  const int sep = path.lastIndexOf(kSep);
  return sep < 0 ? QString() : path.mid(sep + 1);
}

QString Format0000(int value) {
  return value < 0 ? QStringLiteral("-") + Format0000(-value)
                   : QStringLiteral("%1").arg(value, 4, 10, QLatin1Char('0'));
}

QString CurrentDirWithSep() {
  QString dir = QDir::currentPath();
  return PathWithSep(dir);
}

}  // namespace sorv
