#include <QFocusEvent>

#include "core/Settings.h"
#include "library/db/SongSchema.h"
#include "tests/tools/ToolsTest.h"
#include "tools/FolderPickers.h"
#include "tools/OptionsDialog.h"

namespace sorv::test {
namespace {

class OptionsTest : public ToolsTest {
 protected:
  OptionsTest() {
    s.cpuLoad = 10;
    s.playState = 1;
    d.engineState = 1;
    s.titleText = "Song";
    v.caption = s.playingCaption();
    v.timeText = "01:23";
    v.selectionAvailable = true;
  }
};

TEST_F(OptionsTest, OpeningShowsTheOptionsAndFolders) {
  s.saveSelInfo = 1;
  s.barHideOpt = 0;
  s.lyricTimeMode = 1;
  s.pathDir[5] = " " + temp("db");
  OptionsDialog dialog(player);
  EXPECT_EQ(dialog.windowTitle(), "設定");
  const bool expected[5] = {true, true, true, false, false};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dialog.check1(i)->isChecked(), expected[i]) << i;
  EXPECT_TRUE(dialog.timing(1)->isChecked());
  EXPECT_EQ(dialog.filpath(1)->text(), temp("db") + "/");
  EXPECT_EQ(dialog.cpu()->value(), 10);
  EXPECT_LE(dialog.cpu()->minimum(), 10);
  EXPECT_GE(dialog.cpu()->maximum(), 10);
  EXPECT_EQ(dialog.check1(3)->text(), "バーを初期表示");
  EXPECT_EQ(dialog.command1()->text(), "設定情報保存先変更");
  EXPECT_EQ(dialog.cmdCancel()->text(), "ｷｬﾝｾﾙ");
}

// Even a stored load outside the slider's range is kept and never stops the song.
TEST_F(OptionsTest, OkWithoutMovingTheSliderKeepsPlayingAndTheLoad) {
  for (const int load : {10, 500}) {
    s.cpuLoad = load;
    OptionsDialog dialog(player);
    dialog.cmdOKClick();
    EXPECT_EQ(s.playState, 1) << load;
    EXPECT_FALSE(d.called("stop")) << load;
    EXPECT_FALSE(d.called("setVbmp3Option " + std::to_string(load))) << load;
    EXPECT_EQ(s.cpuLoad, load);
    EXPECT_EQ(v.caption, "♪Song");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
}

TEST_F(OptionsTest, MovingTheSliderStopsTheTrackForGoodAndSetsTheLoad) {
  s.startPending = 1;
  v.startTimerInterval = 2000;
  OptionsDialog dialog(player);
  dialog.cpu()->setValue(15);
  dialog.cmdOKClick();
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_TRUE(d.called("stop"));
  EXPECT_TRUE(d.called("setVbmp3Option 15"));
  EXPECT_EQ(d.option.field[2], 15);
  EXPECT_EQ(s.cpuLoad, 15);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(v.timeText.isEmpty());
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());  // the idle text
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(OptionsTest, RefusedLoadKeepsTheOldValueAndSaysSo) {
  d.setOptionResult = 0;
  OptionsDialog dialog(player);
  dialog.cpu()->setValue(3);
  dialog.cmdOKClick();
  EXPECT_EQ(s.cpuLoad, 10);
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(messages.texts, QStringList{"CPU負荷設定の変更に失敗しました"});
}

TEST_F(OptionsTest, OkAppliesBoxesTimingFoldersAndDisplayInOrder) {
  OptionsDialog dialog(player);
  dialog.check1(0)->setChecked(false);
  dialog.check1(3)->setChecked(true);
  dialog.timing(1)->setChecked(true);
  dialog.filpath(2)->setText("  /lyrics  ");
  dialog.cmdOKClick();
  EXPECT_EQ(s.useSongDb, 0);
  EXPECT_EQ(s.barFirstOpt, 1);
  EXPECT_EQ(s.barHideOpt, 1);
  EXPECT_EQ(s.lyricTimeMode, 1);
  EXPECT_EQ(d.lyricsTimeMode, 1);
  EXPECT_EQ(s.pathDir[6], "/lyrics/");
  EXPECT_EQ(v.showDispModeCalls, 1);
}

TEST_F(OptionsTest, FormatsAndLoudnessAreKeptInTheSettingsOnlyOnOk) {
  loadExtraOptions(s);
  EXPECT_TRUE(s.otherFormats);
  EXPECT_EQ(s.loudnessMode, 0);
  OptionsDialog dialog(player);
  EXPECT_EQ(dialog.otherFormats()->text(), "MP3以外の音声ファイルも対象にする");
  EXPECT_TRUE(dialog.otherFormats()->isChecked());
  EXPECT_TRUE(dialog.loudness(0)->isChecked());
  dialog.otherFormats()->setChecked(false);
  dialog.loudness(2)->setChecked(true);
  dialog.cmdCancelClick();
  EXPECT_TRUE(s.otherFormats);
  EXPECT_EQ(s.loudnessMode, 0);
  OptionsDialog second(player);
  second.otherFormats()->setChecked(false);
  second.loudness(2)->setChecked(true);
  second.cmdOKClick();
  EXPECT_FALSE(s.otherFormats);
  EXPECT_EQ(s.loudnessMode, 2);
  s.otherFormats = true;
  s.loudnessMode = 0;
  loadExtraOptions(s);
  EXPECT_FALSE(s.otherFormats);
  EXPECT_EQ(s.loudnessMode, 2);
  OptionsDialog third(player);
  EXPECT_FALSE(third.otherFormats()->isChecked());
  EXPECT_TRUE(third.loudness(2)->isChecked());
}

TEST_F(OptionsTest, TypedFolderGetsItsSeparatorOnLeavingAndKeepsItAfterCancel) {
  OptionsDialog dialog(player);
  dialog.filpath(0)->setText("  " + temp("lists") + "  ");
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(dialog.filpath(0), &out);
  EXPECT_EQ(dialog.filpath(0)->text(), temp("lists") + "/");
  EXPECT_EQ(s.pathDir[4], temp("lists") + "/");
  dialog.filpath(1)->setText(temp("not-committed"));
  dialog.cmdCancelClick();
  EXPECT_EQ(s.pathDir[4], temp("lists") + "/");
  EXPECT_NE(s.pathDir[5], temp("not-committed") + "/");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(OptionsTest, DatabaseFolderDecidesWhetherSelectionIsAvailable) {
  const QString empty = makeDir("empty");
  OptionsDialog without(player);
  without.filpath(1)->setText(empty);
  without.cmdOKClick();
  EXPECT_EQ(s.dbState, SongDbState::Closed);
  EXPECT_FALSE(v.selectionAvailable);

  const QString full = makeDir("full");
  createSongDb(full + "/sorvdb.mdb");
  OptionsDialog with(player);
  with.filpath(1)->setText(full);
  with.cmdOKClick();
  EXPECT_EQ(s.dbState, SongDbState::Open);
  EXPECT_TRUE(v.selectionAvailable);
}

TEST_F(OptionsTest, BrowseFillsTheFieldOnlyWhenAFolderIsPicked) {
  const QString picked = makeDir("picked");
  OptionsDialog dialog(player);
  whenModal<GeneralFolderPicker>([&](GeneralFolderPicker* folder) {
    folder->text1()->setText(picked);
    folder->okButtonClick();
  });
  dialog.command2Click(2);
  EXPECT_EQ(dialog.filpath(2)->text(), picked + "/");

  const QString before = dialog.filpath(0)->text();
  whenModal<GeneralFolderPicker>([](GeneralFolderPicker* folder) { folder->cancelButtonClick(); });
  dialog.command2Click(0);
  EXPECT_EQ(dialog.filpath(0)->text(), before);
}

TEST_F(OptionsTest, SettingsFolderButtonMovesWorkPath) {
  const QString settings = makeDir("settings-here");
  OptionsDialog dialog(player);
  whenModal<SettingsFolderPicker>([&](SettingsFolderPicker* picker) {
    picker->text1()->setText(settings);
    picker->okButtonClick();
  });
  dialog.command1Click();
  EXPECT_EQ(s.workPath, settings + "/");
  EXPECT_EQ(storedWorkPath().toString(), settings + "/");
}

}  // namespace
}  // namespace sorv::test
