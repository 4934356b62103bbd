#pragma once
// A main-panel stand-in holding the equalizer and the analyser over the recording engine.
#include <gtest/gtest.h>

#include <QWidget>

#include "core/State.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"

namespace sorv::test {

class SoundFixture : public ::testing::Test {
 protected:
  SoundFixture() {
    panel.resize(377, 329);
    s.equPreNo = 5;
    s.volLevel = {80, 80};
    s.dispMode = DisplayMode::Panel;
  }

  QWidget panel;
  State s;
  FakeEngine d;
  FakeView v;
  EqualizerPanel eq{s, d, &panel};
  ScopeDisplay scope{s, d, v, &panel};
};

}  // namespace sorv::test
