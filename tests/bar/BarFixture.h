#pragma once
// A bar over the recording engine and windows, with a play list of real (empty) files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "bar/CompactBar.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"

namespace sorv::test {

class BarTest : public ::testing::Test {
 protected:
  BarTest() {
    s.verNo = "1.14";
    s.dispMode = DisplayMode::Bar;
    // The tests drive the pointer watch themselves.
    bar.pointerCheckTimer().stop();
  }

  // Entries 1..n, each a file that exists, `length` seconds long.
  void makeList(int n, int32_t pos, int32_t length = 240) {
    s.resizeList(n);
    for (int i = 1; i <= n; ++i) {
      const QString path = dir.filePath(QStringLiteral("song%1.mp3").arg(i));
      QFile file(path);
      file.open(QIODevice::WriteOnly);
      s.entry(i).file = path;
      s.entry(i).extension = "mp3";
      s.entry(i).stream->length = length;
      s.entry(i).stream->fileSize = 1000;
      d.streams[path.toStdString()].length = length;
    }
    s.listCount = n;
    s.listPos = pos;
  }

  std::string path(int i) const { return s.entry(i).file.toStdString(); }

  QTemporaryDir dir;
  MessageCapture messages;
  State s;
  FakeEngine d;
  FakeView v;
  Player player{s, d, v};
  CompactBar bar{player};
};

}  // namespace sorv::test
