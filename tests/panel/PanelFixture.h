#pragma once
// A real main panel over a fake engine, with a play list of n entries "/music/songNN.mp3".
#include <gtest/gtest.h>

#include <memory>

#include "core/State.h"
#include "panel/window/MnPnl.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/MessageCapture.h"
#include "tests/panel/PanelTestView.h"

namespace sorv::test {

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    s.VerNo = QStringLiteral("1.14");
    s.DispMode = 1;
    panel = std::make_unique<MnPnl>(s, d, v);
    v.Attach(*panel);
    // Ticks are called by the tests themselves, never by the clock.
    panel->Timer2().stop();
    panel->Timer3().stop();
  }

  static QString Song(int i) {
    return QStringLiteral("/music/song%1.mp3").arg(i, 2, 10, QChar('0'));
  }

  // n entries, each 240 seconds long as the engine reports it, current entry pos.
  void MakeList(int n, int pos) {
    s.ResizeList(n);
    for (int i = 1; i <= n; ++i) {
      s.ListFile[i] = Song(i);
      s.ListExt[i] = QStringLiteral("mp3");
      StreamRecord stream;
      stream.fileSize = 1000;
      stream.length = 240;
      s.ListInfo[i] = stream;
    }
    s.ListCount = static_cast<int16_t>(n);
    s.ListPos = static_cast<int16_t>(pos);
  }

  // A press of the left button in the middle of a hot spot, in twips.
  void Press(int command);

  State s;
  FakeDecoder d;
  PanelTestView v;
  MessageCapture messages;
  std::unique_ptr<MnPnl> panel;
};

}  // namespace sorv::test
