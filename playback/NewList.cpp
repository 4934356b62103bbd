#include "playback/NewList.h"

#include <QUrl>
#include <algorithm>

#include "core/LocalNames.h"
#include "core/Paths.h"
#include "core/session/DroppedFiles.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"

namespace sorv {

void setFileTable(State& s, PlayerView& v, const QStringList& paths) {
  // The counter repaints at once; once per entry froze the window for seconds on long lists,
  // so it counts up in steps and shows the last entry.
  constexpr int kCounterStep = 500;
  const int last = std::min<int>(paths.size(), kMaxListEntries);
  setFileTable(s, paths, [&v, last](int i) {
    if (i % kCounterStep == 0 || i == last) v.setCounter(QStringLiteral("0000 / ") + format0000(i));
  });
}

void openDropped(State& s, AudioEngine& d, PlayerView& v, const QMimeData& data) {
  if (!data.hasUrls()) return;
  s.listCount = 0;
  QStringList items;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) items << localPathOfUrl(url);
  const QStringList files = collectDroppedFiles(items);
  if (files.isEmpty()) return;
  setFileTable(s, v, files);
  s.listPos = 1;
  startEntry(s, d, v, s.listPos);
}

void handOver(State& s, AudioEngine& d, PlayerView& v, const QString& command) {
  if (command.isEmpty()) return;
  // A start still pending for the old list would restart the new one two seconds later.
  if (s.startPending == 1) cancelStart(s, v);
  if (command.right(3).toUpper() == QLatin1String("M3U"))
    loadM3u(s, command, 1);
  else
    setFileTable(s, v, QStringList{command});
  s.listPos = 1;
  startEntry(s, d, v, s.listPos);
}

}  // namespace sorv
