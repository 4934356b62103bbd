// The user's own preset and the volume survive the state file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/session/StateFile.h"
#include "panel/sound/EqualizerPanel.h"
#include "tests/common/FakeDecoder.h"

namespace sorv::test {
namespace {

TEST(EqualizerStateTest, UserPresetDragIsRememberedAtTheNextStart) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  QWidget panel;
  State s;
  s.WorkPath = folder;
  s.SetDefaults(folder);
  FakeDecoder d;
  EqualizerPanel eq(s, d, &panel);
  eq.EquPre_Click(5);
  eq.Equ_MouseMove(2, Qt::LeftButton, {}, 3, 40);
  eq.Equ_MouseUp(2, Qt::LeftButton, {}, 3, 40);
  eq.Volume_MouseUp(0, Qt::LeftButton, {}, 4, 35);
  ASSERT_TRUE(SaveState(s));

  State next;
  next.WorkPath = folder;
  LoadState(next, QString(), folder);
  EXPECT_EQ(next.EquPreNo, 5);
  EXPECT_EQ(next.EquLevel[2], 80);
  EXPECT_EQ(next.VolLevel[0], 65);
  FakeDecoder nextEngine;
  EqualizerPanel nextEq(next, nextEngine, &panel);
  nextEq.StartUp();
  EXPECT_EQ(nextEngine.gains[2], 80);
  EXPECT_EQ(nextEngine.volumeLeft, 65);
}

}  // namespace
}  // namespace sorv::test
