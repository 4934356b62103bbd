#include "tools/FileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "decoder/RegularFile.h"

namespace sorv {

namespace {

constexpr qint64 kChunk = 1 << 20;

bool sameFile(const QString& source, const QString& target) {
  const QFileInfo from(source);
  const QFileInfo to(target);
  return to.exists() && from.canonicalFilePath() == to.canonicalFilePath();
}

bool copyContent(QFile& in, QSaveFile& out) {
  QByteArray chunk;
  while (!(chunk = in.read(kChunk)).isEmpty()) {
    if (out.write(chunk) != chunk.size()) return false;
  }
  return in.error() == QFileDevice::NoError && in.atEnd();
}

}  // namespace

CopyResult copyReplacing(const QString& source, const QString& target) {
  if (sameFile(source, target)) return CopyResult::SameFile;
  std::FILE* handle = openRegularFile(QFile::encodeName(source).toStdString());
  QFile in;
  if (!handle || !in.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (handle) std::fclose(handle);
    return CopyResult::Failed;
  }
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return CopyResult::Failed;
  if (!copyContent(in, out)) {
    out.cancelWriting();
    return CopyResult::Failed;
  }
  return out.commit() ? CopyResult::Copied : CopyResult::Failed;
}

}  // namespace sorv
