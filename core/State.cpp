#include "core/State.h"

#include "core/Paths.h"

namespace sorv {

void State::setDefaults(const QString& currentDir) {
  volLevel = {80, 80};
  listCount = 0;
  listPos = 0;
  scopeDirty = 0;
  equPreNo = 5;
  useSongDb = 1;
  showScope = 1;
  saveSelInfo = 0;
  barHideOpt = 1;
  barFirstOpt = 0;
  lyricTimeMode = 0;
  pathDir[1] = currentDir;
  pathDir[2].clear();
  pathDir[3].clear();
  pathDir[4] = workPath;
  pathDir[5] = workPath;
  pathDir[6] = workPath;
  loopMode = 0;
  shuffleMode = 0;
  cpuLoad = 10;
  equLevel.fill(0);
}

QString State::counterText() const {
  return format0000(listPos) + " / " + format0000(listCount);
}

QString State::idleCaption() const {
  return QStringLiteral("そるばね Ver.") + verNo;
}

QString State::playingCaption() const {
  return QStringLiteral("♪") + titleText;
}

}  // namespace sorv
