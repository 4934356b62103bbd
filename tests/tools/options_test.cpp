#include <QFocusEvent>

#include "library/db/SongSchema.h"
#include "tests/tools/ToolsTest.h"
#include "tools/FolderPickers.h"
#include "tools/frmOpt.h"

namespace sorv::test {
namespace {

class OptionsTest : public ToolsTest {
 protected:
  OptionsTest() {
    s.CpuLoad = 10;
    s.PlayState = 1;
    d.state = 1;
    s.TitleText = "Song";
    v.caption = s.PlayingCaption();
    v.time = "01:23";
    v.selectionAvailable = true;
  }
};

TEST_F(OptionsTest, OpeningShowsTheOptionsAndFolders) {
  s.SaveSelInfo = 1;
  s.BarHideOpt = 0;
  s.LyricTimeMode = 1;
  s.PathDir[5] = " " + Temp("db");
  frmOpt dialog(s, d, v);
  EXPECT_EQ(dialog.windowTitle(), "設定");
  const bool expected[5] = {true, true, true, false, false};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dialog.Check1(i)->isChecked(), expected[i]) << i;
  EXPECT_TRUE(dialog.Timing(1)->isChecked());
  EXPECT_EQ(dialog.filpath(1)->text(), Temp("db") + "/");
  EXPECT_EQ(dialog.CPU()->value(), 10);
  EXPECT_LE(dialog.CPU()->minimum(), 10);
  EXPECT_GE(dialog.CPU()->maximum(), 10);
  EXPECT_EQ(dialog.Check1(3)->text(), "バーを初期表示");
  EXPECT_EQ(dialog.Command1()->text(), "設定情報保存先変更");
  EXPECT_EQ(dialog.cmdCancel()->text(), "ｷｬﾝｾﾙ");
}

TEST_F(OptionsTest, OkWithoutMovingTheSliderKeepsPlaying) {
  frmOpt dialog(s, d, v);
  dialog.cmdOK_Click();
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_FALSE(d.called("stop"));
  EXPECT_FALSE(d.called("setVbmp3Option 10"));
  EXPECT_EQ(v.caption, "♪Song");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(OptionsTest, StoredLoadOutsideTheSliderStillNeverStopsOnPlainOk) {
  s.CpuLoad = 500;
  frmOpt dialog(s, d, v);
  dialog.cmdOK_Click();
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_FALSE(d.called("stop"));
  EXPECT_EQ(s.CpuLoad, 500);
}

TEST_F(OptionsTest, MovingTheSliderStopsTheTrackForGoodAndSetsTheLoad) {
  s.StartPending = 1;
  v.startTimerInterval = 2000;
  frmOpt dialog(s, d, v);
  dialog.CPU()->setValue(15);
  dialog.cmdOK_Click();
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_TRUE(d.called("stop"));
  EXPECT_TRUE(d.called("setVbmp3Option 15"));
  EXPECT_EQ(d.option.field[2], 15);
  EXPECT_EQ(s.CpuLoad, 15);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(v.time.isEmpty());
  EXPECT_FALSE(v.mPanel.prints().isEmpty());  // the idle text
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(OptionsTest, RefusedLoadKeepsTheOldValueAndSaysSo) {
  d.setOptionResult = 0;
  frmOpt dialog(s, d, v);
  dialog.CPU()->setValue(3);
  dialog.cmdOK_Click();
  EXPECT_EQ(s.CpuLoad, 10);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(messages.texts, QStringList{"CPU負荷設定の変更に失敗しました"});
}

TEST_F(OptionsTest, OkAppliesBoxesTimingFoldersAndDisplayInOrder) {
  frmOpt dialog(s, d, v);
  dialog.Check1(0)->setChecked(false);
  dialog.Check1(3)->setChecked(true);
  dialog.Timing(1)->setChecked(true);
  dialog.filpath(2)->setText("  /lyrics  ");
  dialog.cmdOK_Click();
  EXPECT_EQ(s.UseSongDb, 0);
  EXPECT_EQ(s.BarFirstOpt, 1);
  EXPECT_EQ(s.BarHideOpt, 1);
  EXPECT_EQ(s.LyricTimeMode, 1);
  EXPECT_EQ(d.lyricsTimeMode, 1);
  EXPECT_EQ(s.PathDir[6], "/lyrics/");
  EXPECT_EQ(v.showDispModeCalls, 1);
}

TEST_F(OptionsTest, TypedFolderGetsItsSeparatorOnLeavingAndKeepsItAfterCancel) {
  frmOpt dialog(s, d, v);
  dialog.filpath(0)->setText("  " + Temp("lists") + "  ");
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(dialog.filpath(0), &out);
  EXPECT_EQ(dialog.filpath(0)->text(), Temp("lists") + "/");
  EXPECT_EQ(s.PathDir[4], Temp("lists") + "/");
  dialog.filpath(1)->setText(Temp("not-committed"));
  dialog.cmdCancel_Click();
  EXPECT_EQ(s.PathDir[4], Temp("lists") + "/");
  EXPECT_NE(s.PathDir[5], Temp("not-committed") + "/");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(OptionsTest, DatabaseFolderDecidesWhetherSelectionIsAvailable) {
  const QString empty = MakeDir("empty");
  frmOpt without(s, d, v);
  without.filpath(1)->setText(empty);
  without.cmdOK_Click();
  EXPECT_EQ(s.DbState, 0);
  EXPECT_FALSE(v.selectionAvailable);

  const QString full = MakeDir("full");
  CreateSongDb(full + "/sorvdb.mdb");
  frmOpt with(s, d, v);
  with.filpath(1)->setText(full);
  with.cmdOK_Click();
  EXPECT_EQ(s.DbState, 1);
  EXPECT_TRUE(v.selectionAvailable);
}

TEST_F(OptionsTest, BrowseFillsTheFieldOnlyWhenAFolderIsPicked) {
  const QString picked = MakeDir("picked");
  frmOpt dialog(s, d, v);
  WhenModal<SetFolder>([&](SetFolder* folder) {
    folder->Text1()->setText(picked);
    folder->OKButton_Click();
  });
  dialog.Command2_Click(2);
  EXPECT_EQ(dialog.filpath(2)->text(), picked + "/");

  const QString before = dialog.filpath(0)->text();
  WhenModal<SetFolder>([](SetFolder* folder) { folder->CancelButton_Click(); });
  dialog.Command2_Click(0);
  EXPECT_EQ(dialog.filpath(0)->text(), before);
}

TEST_F(OptionsTest, SettingsFolderButtonMovesWorkPath) {
  const QString settings = MakeDir("settings-here");
  frmOpt dialog(s, d, v);
  WhenModal<SetPathDialog>([&](SetPathDialog* picker) {
    picker->Text1()->setText(settings);
    picker->OKButton_Click();
  });
  dialog.Command1_Click();
  EXPECT_EQ(s.WorkPath, settings + "/");
  EXPECT_EQ(StoredWorkPath().toString(), settings + "/");
}

}  // namespace
}  // namespace sorv::test
