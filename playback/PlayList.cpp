#include "playback/PlayList.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <functional>

#include "core/Paths.h"
#include "playback/DroppedFiles.h"
#include "playback/Playback.h"
#include "playback/TextFields.h"

namespace sorv {

namespace {

void FillFileTable(State& s, const QStringList& paths, const std::function<void(int)>& progress) {
  const int n = std::min<int>(paths.size(), kMaxListEntries);
  s.ListCount = static_cast<int16_t>(n);
  if (n <= 0) return;
  s.ResizeList(n);
  for (int i = 1; i <= n; ++i) {
    if (HasAudioExtension(paths[i - 1])) {
      s.ListFile[i] = paths[i - 1];
      s.ListExt[i] = paths[i - 1].right(3).toLower();
    }
    if (progress) progress(i);
  }
}

// "./name" names a file in the current folder.
QString ResolvePlayListPath(const QString& line) {
  if (line.startsWith(QStringLiteral("./"))) return QDir::currentPath() + line.mid(1);
  return line;
}

bool IsComment(const QString& line) {
  return line.startsWith(QLatin1Char('#'));
}

QString TrailingBlanksRemoved(QString text) {
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

void ClampListPos(State& s) {
  if (s.ListCount <= 0)
    s.ListPos = 0;
  else
    s.ListPos = static_cast<int16_t>(std::clamp<int>(s.ListPos, 1, s.ListCount));
}

}  // namespace

void SetFileTable(State& s, PlayerView& v, const QStringList& paths) {
  FillFileTable(s, paths, [&v](int i) { v.SetCounter(QStringLiteral("0000 / ") + Format0000(i)); });
}

void SetFileTable(State& s, const QStringList& paths) {
  FillFileTable(s, paths, {});
}

void LoadM3u(State& s, const QString& file, int resetFlag) {
  std::optional<QStringList> lines = ReadTextLines(file);
  if (!lines || lines->isEmpty()) {
    s.ListCount = 0;
    s.ListPos = 0;
    return;
  }
  if (lines->size() > kMaxListEntries) *lines = lines->mid(0, kMaxListEntries);
  s.ResizeList(lines->size());
  int kept = 0, droppedBefore = 0;
  for (int i = 1; i <= lines->size(); ++i) {
    const QString& line = (*lines)[i - 1];
    const QString path = IsComment(line) ? QString() : ResolvePlayListPath(Unquoted(line));
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
      ++kept;
      s.ListFile[kept] = path;
      s.ListExt[kept] = TrailingBlanksRemoved(path).right(3);
    } else if (s.ListPos >= i) {
      ++droppedBefore;
    }
  }
  s.ListCount = static_cast<int16_t>(kept);
  s.ListPos = static_cast<int16_t>(resetFlag == 1 ? (kept > 0 ? 1 : 0) : s.ListPos - droppedBefore);
  ClampListPos(s);
}

void OpenDropped(State& s, Decoder& d, PlayerView& v, const QMimeData& data) {
  if (!data.hasUrls()) return;
  s.ListCount = 0;
  QStringList items;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) items << url.toLocalFile();
  const QStringList files = CollectDroppedFiles(items);
  if (files.isEmpty()) return;
  SetFileTable(s, v, files);
  s.ListPos = 1;
  if (PlayData(s, d, v, s.ListPos) == -1) {
    s.PlayState = 1;
    v.SetBarCounter(v.Counter());
  }
  v.SetCounter(QStringLiteral("0001 / ") + Format0000(s.ListCount));
}

}  // namespace sorv
