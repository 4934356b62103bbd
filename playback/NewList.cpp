#include "playback/NewList.h"

#include <QUrl>

#include "core/LocalNames.h"
#include "core/Paths.h"
#include "core/session/DroppedFiles.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"

namespace sorv {

void setFileTable(State& s, PlayerView& v, const QStringList& paths) {
  setFileTable(s, paths, [&v](int i) { v.setCounter(QStringLiteral("0000 / ") + format0000(i)); });
}

void openDropped(State& s, AudioEngine& d, PlayerView& v, const QMimeData& data) {
  if (!data.hasUrls()) return;
  s.listCount = 0;
  QStringList items;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) items << localPathOfUrl(url);
  const QStringList files = collectDroppedFiles(items, s.songFiles());
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
