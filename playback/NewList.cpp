#include "playback/NewList.h"

#include <QUrl>

#include "core/LocalNames.h"
#include "core/Paths.h"
#include "core/session/DroppedFiles.h"
#include "core/session/PlayList.h"

namespace sorv {

void setFileTable(State& s, PlayerView& v, const QStringList& paths) {
  // The counter repaints at once; once per entry froze the window for seconds on long lists,
  // so it counts up in steps and shows the last entry.
  constexpr int kCounterStep = 500;
  const int last = paths.size();
  setFileTable(s, paths, [&v, last](int i) {
    if (i % kCounterStep == 0 || i == last) v.setCounter(QStringLiteral("0000 / ") + format0000(i));
  });
}

void openDropped(Player& player, const QMimeData& data) {
  if (!data.hasUrls()) return;
  QStringList items;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) items << localPathOfUrl(url);
  player.startNewList(collectDroppedFiles(items, player.state().songFiles()));
}

void handOver(Player& player, const QString& command) {
  if (command.isEmpty()) return;
  if (command.right(3).toUpper() != QLatin1String("M3U")) {
    player.startNewList(QStringList{command});
    return;
  }
  loadM3u(player.state(), command, 1);
  player.startLoadedList();
}

}  // namespace sorv
