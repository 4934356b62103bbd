#include "playback/NewList.h"

#include <QUrl>
#include <algorithm>

#include "core/LocalNames.h"
#include "core/Paths.h"
#include "core/session/DroppedFiles.h"
#include "core/session/PlayList.h"

namespace sorv {

void setFileTable(State& s, PlayerView& v, const QStringList& paths) {
  // The counter repaints at once; once per entry froze the window for seconds on long lists,
  // so it counts up in steps of 500 entries, at most 50 steps however long the list, and shows
  // the last entry.
  const int last = paths.size();
  const int step = std::max(500, last / 50);
  setFileTable(s, paths, [&v, last, step](int i) {
    if (i % step == 0 || i == last) v.setCounter(QStringLiteral("0000 / ") + format0000(i));
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
  if (!isPlayListFile(command)) {
    player.startNewList(QStringList{command});
    return;
  }
  openM3u(player.state(), command, 1);
  // A list with nothing to play has been named in a message already.
  if (player.state().listCount > 0)
    player.startLoadedList();
  else
    player.stop();
}

}  // namespace sorv
