#include "tools/FileCopy.h"

#include <QFile>
#include <QFileInfo>

#include "core/Paths.h"
#include "decoder/RegularFile.h"
#include "decoder/WholeFile.h"

namespace sorv {

namespace {

constexpr qint64 kChunk = 1 << 20;
constexpr int kMostNumbers = 9999;

bool sameFile(const QString& source, const QString& target) {
  const QFileInfo from(source);
  const QFileInfo to(target);
  return to.exists() && from.canonicalFilePath() == to.canonicalFilePath();
}

// A link that leads nowhere holds its name too.
bool nameTaken(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// target with " (number)" before the extension of its name.
QString numberedName(const QString& target, int number) {
  const int slash = target.lastIndexOf(kSep);
  const int dot = target.lastIndexOf(QLatin1Char('.'));
  const int at = dot > slash + 1 ? dot : target.size();
  return target.left(at) + QStringLiteral(" (%1)").arg(number) + target.mid(at);
}

QString freeName(const QString& target) {
  if (!nameTaken(target)) return target;
  for (int number = 2; number <= kMostNumbers; ++number) {
    const QString name = numberedName(target, number);
    if (!nameTaken(name)) return name;
  }
  return QString();
}

bool copyContent(QFile& in, WholeFileWriter& out) {
  QByteArray chunk;
  while (!(chunk = in.read(kChunk)).isEmpty()) {
    if (!out.write(chunk.constData(), chunk.size())) return false;
  }
  return in.error() == QFileDevice::NoError && in.atEnd();
}

}  // namespace

CopyResult copyKeepingBoth(const QString& source, const QString& target) {
  if (sameFile(source, target)) return CopyResult::SameFile;
  std::FILE* handle = openRegularFile(QFile::encodeName(source).toStdString());
  QFile in;
  if (!handle || !in.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (handle) std::fclose(handle);
    return CopyResult::Failed;
  }
  const QString name = freeName(target);
  WholeFileWriter out;
  if (name.isEmpty() ||
      !out.open(QFile::encodeName(name).toStdString(), WholeFileWriter::Link::Replace) ||
      !copyContent(in, out)) {
    return CopyResult::Failed;
  }
  // A file given this name meanwhile is kept too: the copy then fails rather than replace it.
  return out.commit(WholeFileWriter::Existing::Keep) ? CopyResult::Copied : CopyResult::Failed;
}

}  // namespace sorv
