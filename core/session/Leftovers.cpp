#include "core/session/Leftovers.h"

#include <QFile>

#include "decoder/WholeFile.h"

namespace sorv {

void removeLeftovers(const State& s) {
  for (const QString& folder : {s.workPath, s.pathDir[4], s.pathDir[5]}) {
    if (!folder.isEmpty()) removeStaleTemporaries(QFile::encodeName(folder).toStdString());
  }
}

}  // namespace sorv
