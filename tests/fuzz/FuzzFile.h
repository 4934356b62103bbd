#pragma once
// The fuzzer's bytes as a file, for readers that take a path: one file per process, rewritten
// for each input.
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>

inline QString FuzzFile(const QString& name, const uint8_t* data, std::size_t size) {
  const QString folder = QDir::tempPath() + QStringLiteral("/sorv-fuzz-%1").arg(::getpid());
  QDir().mkpath(folder);
  const QString path = folder + u'/' + name;
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  return path;
}
