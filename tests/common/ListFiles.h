#pragma once
// The files of a play list, in order, for comparing lists as a whole.
#include <QStringList>

#include "core/State.h"

namespace sorv::test {

inline QStringList listFiles(const State& s) {
  QStringList files;
  for (const PlayListEntry& entry : s.entries) files << entry.file;
  return files;
}

}  // namespace sorv::test
