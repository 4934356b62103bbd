// The user's own preset and the volume survive the state file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/session/StateFile.h"
#include "panel/sound/EqualizerPanel.h"
#include "tests/common/FakeEngine.h"

namespace sorv::test {
namespace {

TEST(EqualizerStateTest, UserPresetDragIsRememberedAtTheNextStart) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  QWidget panel;
  State s;
  s.workPath = folder;
  s.setDefaults(folder);
  FakeEngine d;
  EqualizerPanel eq(s, d, &panel);
  eq.equPreClick(5);
  eq.equMouseMove(2, Qt::LeftButton, {}, 3, 40);
  eq.equMouseUp(2, Qt::LeftButton, {}, 3, 40);
  eq.volumeMouseUp(0, Qt::LeftButton, {}, 4, 35);
  ASSERT_TRUE(saveState(s));

  State next;
  next.workPath = folder;
  loadState(next, QString(), folder);
  EXPECT_EQ(next.equPreNo, 5);
  EXPECT_EQ(next.equLevel[2], 80);
  EXPECT_EQ(next.volLevel[0], 65);
  FakeEngine nextEngine;
  EqualizerPanel nextEq(next, nextEngine, &panel);
  nextEq.restoreSaved();
  EXPECT_EQ(nextEngine.gains[2], 80);
  EXPECT_EQ(nextEngine.volumeLeft, 65);
}

}  // namespace
}  // namespace sorv::test
