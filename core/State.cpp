#include "core/State.h"

#include "core/Paths.h"

namespace sorv {

void State::SetDefaults(const QString& currentDir) {
  VolLevel = {80, 80};
  ListCount = 0;
  ListPos = 0;
  ScopeDirty = 0;
  EquPreNo = 5;
  UseSongDb = 1;
  ShowScope = 1;
  SaveSelInfo = 0;
  BarHideOpt = 1;
  BarFirstOpt = 0;
  LyricTimeMode = 0;
  PathDir[1] = currentDir;
  PathDir[2].clear();
  PathDir[3].clear();
  PathDir[4] = WorkPath;
  PathDir[5] = WorkPath;
  PathDir[6] = WorkPath;
  LoopMode = 0;
  ShuffleMode = 0;
  CpuLoad = 10;
  EquLevel.fill(0);
}

void State::ResizeList(int n) {
  const int size = n + 1;
  ListFile = QVector<QString>(size);
  ListExt = QVector<QString>(size);
  ListTag = QVector<TagRecord>(size);
  ListInfo = QVector<StreamRecord>(size);
}

QString State::CounterText() const {
  return Format0000(ListPos) + " / " + Format0000(ListCount);
}

QString State::IdleCaption() const {
  return QStringLiteral("そるばね Ver.") + VerNo;
}

QString State::PlayingCaption() const {
  return QStringLiteral("♪") + TitleText;
}

}  // namespace sorv
