#include "tools/FileCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace sorv {

namespace {

constexpr qint64 kChunk = 1 << 20;

bool SameFile(const QString& source, const QString& target) {
  const QFileInfo from(source);
  const QFileInfo to(target);
  return to.exists() && from.canonicalFilePath() == to.canonicalFilePath();
}

bool CopyContent(QFile& in, QSaveFile& out) {
  QByteArray chunk;
  while (!(chunk = in.read(kChunk)).isEmpty()) {
    if (out.write(chunk) != chunk.size()) return false;
  }
  return in.error() == QFileDevice::NoError && in.atEnd();
}

}  // namespace

CopyResult CopyReplacing(const QString& source, const QString& target) {
  if (SameFile(source, target)) return CopyResult::SameFile;
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return CopyResult::Failed;
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return CopyResult::Failed;
  if (!CopyContent(in, out)) {
    out.cancelWriting();
    return CopyResult::Failed;
  }
  return out.commit() ? CopyResult::Copied : CopyResult::Failed;
}

}  // namespace sorv
