#pragma once
// A real main panel over a fake engine, with a play list of n entries "/music/songNN.mp3".
#include <gtest/gtest.h>

#include <memory>

#include "core/State.h"
#include "panel/window/MainPanel.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/MessageCapture.h"
#include "tests/panel/PanelTestView.h"

namespace sorv::test {

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    s.verNo = QStringLiteral("1.14");
    s.dispMode = DisplayMode::Panel;
    panel = std::make_unique<MainPanel>(player);
    v.attach(*panel);
    // Ticks are called by the tests themselves, never by the clock.
    panel->clockTimer().stop();
    panel->scopeTimer().stop();
  }

  static QString song(int i) {
    return QStringLiteral("/music/song%1.mp3").arg(i, 2, 10, QChar('0'));
  }

  // n entries, each 240 seconds long as the engine reports it, current entry pos.
  void makeList(int n, int pos) {
    s.resizeList(n);
    for (int i = 1; i <= n; ++i) {
      s.entry(i).file = song(i);
      s.entry(i).extension = QStringLiteral("mp3");
      StreamRecord stream;
      stream.fileSize = 1000;
      stream.length = 240;
      s.entry(i).stream = stream;
    }
    s.listCount = n;
    s.listPos = pos;
  }

  // A press of the left button in the middle of a hot spot, in twips.
  void pressCommand(int command);

  State s;
  FakeEngine d;
  PanelTestView v;
  Player player{s, d, v};
  MessageCapture messages;
  std::unique_ptr<MainPanel> panel;
};

}  // namespace sorv::test
