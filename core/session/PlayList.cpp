#include "core/session/PlayList.h"

#include <QDir>
#include <QFileInfo>

#include "core/LocalNames.h"
#include "core/TextFields.h"
#include "core/session/DroppedFiles.h"

namespace sorv {

namespace {

// "./name" names a file in the current folder.
QString resolvePlayListPath(const QString& line) {
  if (line.startsWith(QStringLiteral("./"))) return QDir::currentPath() + line.mid(1);
  return line;
}

bool isComment(const QString& line) {
  return line.startsWith(QLatin1Char('#'));
}

QString trailingBlanksRemoved(QString text) {
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

void clampListPos(State& s) {
  if (s.listCount <= 0)
    s.listPos = 0;
  else
    s.listPos = static_cast<int16_t>(std::clamp<int>(s.listPos, 1, s.listCount));
}

}  // namespace

void setFileTable(State& s, const QStringList& paths, const std::function<void(int)>& progress) {
  const int n = std::min<int>(paths.size(), kMaxListEntries);
  s.listCount = static_cast<int16_t>(n);
  if (n <= 0) return;
  s.resizeList(n);
  for (int i = 1; i <= n; ++i) {
    if (hasAudioExtension(paths[i - 1], s.songFiles())) {
      s.listFile[i] = paths[i - 1];
      s.listExt[i] = paths[i - 1].right(3).toLower();
    }
    if (progress) progress(i);
  }
}

void loadM3u(State& s, const QString& file, int resetFlag) {
  std::optional<QStringList> lines = readTextLines(file);
  if (!lines || lines->isEmpty()) {
    s.listCount = 0;
    s.listPos = 0;
    return;
  }
  if (lines->size() > kMaxListEntries) *lines = lines->mid(0, kMaxListEntries);
  s.resizeList(lines->size());
  int kept = 0, droppedBefore = 0;
  for (int i = 1; i <= lines->size(); ++i) {
    const QString& line = (*lines)[i - 1];
    const QString path = isComment(line) ? QString() : resolvePlayListPath(unquoted(line));
    if (!path.isEmpty() && isLocalFile(path)) {
      ++kept;
      s.listFile[kept] = path;
      s.listExt[kept] = trailingBlanksRemoved(path).right(3);
    } else if (s.listPos >= i) {
      ++droppedBefore;
    }
  }
  s.listCount = static_cast<int16_t>(kept);
  s.listPos = static_cast<int16_t>(resetFlag == 1 ? (kept > 0 ? 1 : 0) : s.listPos - droppedBefore);
  clampListPos(s);
}

}  // namespace sorv
