#include "playback/NewList.h"

#include <QUrl>

#include "core/LocalNames.h"
#include "core/Paths.h"
#include "core/session/DroppedFiles.h"
#include "core/session/PlayList.h"

namespace sorv {

void setFileTable(State& s, PlayerView& v, const QStringList& paths) {
  setFileTable(s, paths, [&v](int i) { v.setCounter(QStringLiteral("0000 / ") + format0000(i)); });
}

void openDropped(Player& player, const QMimeData& data) {
  if (!data.hasUrls()) return;
  QStringList items;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) items << localPathOfUrl(url);
  player.startNewList(collectDroppedFiles(items));
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
