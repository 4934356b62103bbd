#include "core/Paths.h"

#include <QDir>
#include <algorithm>

namespace sorv {

namespace {

bool isBlank(QChar c) {
  return c == QLatin1Char(' ');
}

}  // namespace

QString pathWithSep(QString& path) {
  int end = path.size();
  while (end > 0 && isBlank(path[end - 1])) --end;
  if (end > 0 && path[end - 1] != kSep) {
    int start = 0;
    while (start < end && isBlank(path[start])) ++start;
    path = path.mid(start, end - start) + kSep;
  }
  return path;
}

QString fileNamePart(const QString& path) {
  const int sep = path.lastIndexOf(kSep);
  return sep < 0 ? QString() : path.mid(sep + 1);
}

QString withAudioExtension(const QString& name, const QString& extension) {
  const bool fourLetters = name.size() > 5 && name[name.size() - 5] == u'.';
  const qsizetype cut = fourLetters ? 4 : 3;
  return name.left(std::max<qsizetype>(0, name.size() - cut)) + extension;
}

QString absoluteFileName(const QString& name, const QString& folder) {
  if (name.isEmpty() || QDir::isAbsolutePath(name)) return name;
  return QDir::cleanPath(folder + kSep + name);
}

QString absoluteCommandLine(const QString& commandLine, const QString& folder) {
  return commandLine.startsWith(QLatin1Char('"')) ? commandLine
                                                  : absoluteFileName(commandLine, folder);
}

QString format0000(int value) {
  return value < 0 ? QStringLiteral("-") + format0000(-value)
                   : QStringLiteral("%1").arg(value, 4, 10, QLatin1Char('0'));
}

QString currentDirWithSep() {
  QString dir = QDir::currentPath();
  return pathWithSep(dir);
}

}  // namespace sorv
