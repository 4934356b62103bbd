#pragma once
// A bar over the recording engine and windows, with a play list of real (empty) files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "bar/Bar.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"

namespace sorv::test {

class BarTest : public ::testing::Test {
 protected:
  BarTest() {
    s.VerNo = "1.14";
    s.DispMode = 2;
    // The tests drive the pointer watch themselves.
    bar.MCheck().stop();
  }

  // Entries 1..n, each a file that exists, `length` seconds long.
  void MakeList(int n, int16_t pos, int32_t length = 240) {
    s.ResizeList(n);
    for (int i = 1; i <= n; ++i) {
      const QString path = dir.filePath(QStringLiteral("song%1.mp3").arg(i));
      QFile file(path);
      file.open(QIODevice::WriteOnly);
      s.ListFile[i] = path;
      s.ListExt[i] = "mp3";
      s.ListInfo[i].length = length;
      s.ListInfo[i].fileSize = 1000;
      d.streams[path.toStdString()].length = length;
    }
    s.ListCount = static_cast<int16_t>(n);
    s.ListPos = pos;
  }

  std::string Path(int i) const { return s.ListFile[i].toStdString(); }

  QTemporaryDir dir;
  MessageCapture messages;
  State s;
  FakeDecoder d;
  FakeView v;
  Bar bar{s, d, v};
};

}  // namespace sorv::test
