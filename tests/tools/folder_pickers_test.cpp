#include <QEvent>
#include <QFocusEvent>

#include "tests/tools/ToolsTest.h"
#include "tools/FileSystemCheck.h"
#include "tools/FolderPickers.h"

namespace sorv::test {
namespace {

const QString kNotThere = QStringLiteral("設定されたパスは存在しません。");
const QString kNotReady = QStringLiteral("ドライブの準備が出来ていません。");

class FolderPickerTest : public ToolsTest {};

void loseFocus(QWidget* widget) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(widget, &out);
}

TEST_F(FolderPickerTest, VanishedWorkPathOpensOnCurrentFolderAndCancelWritesNothing) {
  s.workPath = temp("gone/");
  SettingsFolderPicker dialog(s);
  EXPECT_EQ(dialog.text1()->text(), QDir::currentPath());
  EXPECT_EQ(dialog.folderList().path(), QDir::currentPath());
  // The replacement keeps its separator, so the settings file stays inside the folder.
  EXPECT_EQ(s.workPath, QDir::currentPath() + "/");
  dialog.cancelButtonClick();
  EXPECT_EQ(s.workPath, QDir::currentPath() + "/");
  EXPECT_FALSE(storedWorkPath().isValid());
}

TEST_F(FolderPickerTest, TypedFolderIsStoredWithSeparatorOnlyOnOk) {
  const QString music = makeDir("music");
  SettingsFolderPicker dialog(s);
  dialog.text1()->setText("  " + music + "  ");
  loseFocus(dialog.text1());
  EXPECT_EQ(dialog.text1()->text(), music + "/");
  EXPECT_FALSE(storedWorkPath().isValid());
  dialog.okButtonClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(s.workPath, music + "/");
  EXPECT_EQ(storedWorkPath().toString(), music + "/");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(FolderPickerTest, MissingPathIsRefusedAndDialogStaysOpen) {
  const QString before = s.workPath;
  SettingsFolderPicker dialog(s);
  dialog.show();
  for (const QString& text : {temp("nowhere"), QString("   ")}) {
    dialog.text1()->setText(text);
    dialog.okButtonClick();
  }
  EXPECT_EQ(messages.texts, QStringList({kNotThere, kNotThere}));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.workPath, before);
  EXPECT_FALSE(storedWorkPath().isValid());
}

TEST_F(FolderPickerTest, ExistingFileAndTheTopFolderAreAcceptedLikeAFolder) {
  const QString file = makeFile("song.mp3", "x");
  SettingsFolderPicker settings(s);
  settings.text1()->setText(file);
  loseFocus(settings.text1());
  settings.okButtonClick();
  EXPECT_EQ(s.workPath, file + "/");

  GeneralFolderPicker folder("");
  folder.text1()->setText(" " + file + " ");
  folder.okButtonClick();
  EXPECT_EQ(folder.picked(), file + "/");
  GeneralFolderPicker root("");
  root.text1()->setText("/");
  root.okButtonClick();
  EXPECT_EQ(root.picked(), "/");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(FolderPickerTest, GeneralPickerStartsOnItsFolderAndGivesNothingOnCancel) {
  const QString music = makeDir("music");
  GeneralFolderPicker dialog(music + "/");
  EXPECT_EQ(dialog.folderList().path(), music);
  EXPECT_EQ(dialog.text1()->text(), music + "/");
  dialog.cancelButtonClick();
  EXPECT_TRUE(dialog.picked().isEmpty());
}

TEST_F(FolderPickerTest, ChoosingAFolderInTheListFillsThePathField) {
  const QString deep = makeDir("a/b");
  GeneralFolderPicker dialog("");
  ASSERT_TRUE(dialog.folderList().setPath(deep));
  EXPECT_EQ(dialog.text1()->text(), deep);
  dialog.okButtonClick();
  EXPECT_EQ(dialog.picked(), deep + "/");
  EXPECT_FALSE(dialog.folderList().setPath(temp("missing")));
  EXPECT_EQ(dialog.folderList().path(), deep);
}

TEST_F(FolderPickerTest, ReadyDriveShowsItsTopFolderAndAnUnreadyOneIsRefused) {
  GeneralFolderPicker dialog("");
  const QString shownDrive = dialog.drive1()->currentData().toString();
  EXPECT_EQ(shownDrive, driveOf(QDir::currentPath()));
  dialog.drive1()->addItem("gone", temp("unmounted"));
  dialog.drive1()->setCurrentIndex(dialog.drive1()->count() - 1);
  dialog.folderList().drive1Change();
  EXPECT_EQ(messages.texts, QStringList{kNotReady});
  EXPECT_EQ(dialog.drive1()->currentData().toString(), shownDrive);
  EXPECT_EQ(dialog.folderList().path(), QDir::currentPath());
  dialog.drive1()->setCurrentIndex(dialog.drive1()->findData("/"));
  dialog.folderList().drive1Change();
  EXPECT_EQ(messages.texts.size(), 1);
  EXPECT_EQ(dialog.folderList().path(), "/");
  EXPECT_EQ(dialog.text1()->text(), "/");
}

}  // namespace
}  // namespace sorv::test
