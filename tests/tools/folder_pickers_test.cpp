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

void LoseFocus(QWidget* widget) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(widget, &out);
}

TEST_F(FolderPickerTest, VanishedWorkPathOpensOnCurrentFolderAndCancelWritesNothing) {
  s.WorkPath = Temp("gone/");
  SetPathDialog dialog(s);
  EXPECT_EQ(dialog.Text1()->text(), QDir::currentPath());
  EXPECT_EQ(dialog.folderList().path(), QDir::currentPath());
  // The replacement keeps its separator, so the settings file stays inside the folder.
  EXPECT_EQ(s.WorkPath, QDir::currentPath() + "/");
  dialog.CancelButton_Click();
  EXPECT_EQ(s.WorkPath, QDir::currentPath() + "/");
  EXPECT_FALSE(StoredWorkPath().isValid());
}

TEST_F(FolderPickerTest, TypedFolderIsStoredWithSeparatorOnlyOnOk) {
  const QString music = MakeDir("music");
  SetPathDialog dialog(s);
  dialog.Text1()->setText("  " + music + "  ");
  LoseFocus(dialog.Text1());
  EXPECT_EQ(dialog.Text1()->text(), music + "/");
  EXPECT_FALSE(StoredWorkPath().isValid());
  dialog.OKButton_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(s.WorkPath, music + "/");
  EXPECT_EQ(StoredWorkPath().toString(), music + "/");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(FolderPickerTest, MissingPathIsRefusedAndDialogStaysOpen) {
  const QString before = s.WorkPath;
  SetPathDialog dialog(s);
  dialog.show();
  for (const QString& text : {Temp("nowhere"), QString("   ")}) {
    dialog.Text1()->setText(text);
    dialog.OKButton_Click();
  }
  EXPECT_EQ(messages.texts, QStringList({kNotThere, kNotThere}));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.WorkPath, before);
  EXPECT_FALSE(StoredWorkPath().isValid());
}

TEST_F(FolderPickerTest, ExistingFileIsAcceptedLikeAFolder) {
  const QString file = MakeFile("song.mp3", "x");
  SetPathDialog settings(s);
  settings.Text1()->setText(file);
  LoseFocus(settings.Text1());
  settings.OKButton_Click();
  EXPECT_EQ(s.WorkPath, file + "/");

  SetFolder folder(s);
  folder.Text1()->setText(" " + file + " ");
  folder.OKButton_Click();
  EXPECT_EQ(s.PickedDir, file + "/");
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(FolderPickerTest, SetFolderStartsOnPickedDirAndEmptiesItOnCancel) {
  const QString music = MakeDir("music");
  s.PickedDir = music + "/";
  SetFolder dialog(s);
  EXPECT_EQ(dialog.folderList().path(), music);
  EXPECT_EQ(dialog.Text1()->text(), music + "/");
  EXPECT_TRUE(s.PickedDir.isEmpty());
  dialog.CancelButton_Click();
  EXPECT_TRUE(s.PickedDir.isEmpty());
}

TEST_F(FolderPickerTest, ChoosingAFolderInTheListFillsThePathField) {
  const QString deep = MakeDir("a/b");
  SetFolder dialog(s);
  ASSERT_TRUE(dialog.folderList().setPath(deep));
  EXPECT_EQ(dialog.Text1()->text(), deep);
  dialog.OKButton_Click();
  EXPECT_EQ(s.PickedDir, deep + "/");
  EXPECT_FALSE(dialog.folderList().setPath(Temp("missing")));
  EXPECT_EQ(dialog.folderList().path(), deep);
}

TEST_F(FolderPickerTest, UnreadyDriveIsRefusedAndTheChoiceGoesBack) {
  SetFolder dialog(s);
  const QString shownDrive = dialog.Drive1()->currentData().toString();
  EXPECT_EQ(shownDrive, DriveOf(QDir::currentPath()));
  dialog.Drive1()->addItem("gone", Temp("unmounted"));
  dialog.Drive1()->setCurrentIndex(dialog.Drive1()->count() - 1);
  dialog.folderList().Drive1_Change();
  EXPECT_EQ(messages.texts, QStringList{kNotReady});
  EXPECT_EQ(dialog.Drive1()->currentData().toString(), shownDrive);
  EXPECT_EQ(dialog.folderList().path(), QDir::currentPath());
}

TEST_F(FolderPickerTest, ReadyDriveShowsItsTopFolder) {
  SetFolder dialog(s);
  dialog.Drive1()->setCurrentIndex(dialog.Drive1()->findData("/"));
  dialog.folderList().Drive1_Change();
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_EQ(dialog.folderList().path(), "/");
  EXPECT_EQ(dialog.Text1()->text(), "/");
}

TEST(PathExistsTest, FoldersAndFilesWithOrWithoutSeparator) {
  QTemporaryDir temp;
  QFile file(temp.filePath("a.mp3"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  EXPECT_TRUE(PathExists(temp.path()));
  EXPECT_TRUE(PathExists(temp.path() + "/"));
  EXPECT_TRUE(PathExists(file.fileName() + "/"));
  EXPECT_TRUE(PathExists("/"));
  EXPECT_FALSE(PathExists(temp.filePath("b.mp3")));
  EXPECT_FALSE(PathExists(QString()));
}

}  // namespace
}  // namespace sorv::test
