// The selection window: search, auto-expansion, ticking, the buttons and the preview.
#include <gtest/gtest.h>

#include <QTest>

#include "library/select/SelectionWindow.h"
#include "library/select/TreeBuild.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/library/DeepFolder.h"
#include "tests/library/LargeLibrary.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

class SelectionWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    s.UseSongDb = 1;
    s.DbState = 1;
    s.VerNo = "1.14";
    s.PathDir[1] = music.path();
    s.PathDir[5] = db.folder();
    db.AddSongs({{.file = "a1.mp3", .title = "A1", .work = "あ", .workKana = "あ", .number = 1},
                 {.file = "a2.mp3", .title = "A2", .work = "あ", .workKana = "あ", .number = 2},
                 {.file = "a3.mp3", .title = "A3", .work = "あ", .workKana = "あ", .number = 3},
                 {.file = "gone.mp3", .title = "G", .work = "あ", .workKana = "あ", .number = 4},
                 {.file = "i1.mp3", .title = "I1", .work = "い", .workKana = "い"}});
    for (const char* name : {"a1.mp3", "a2.mp3", "a3.mp3", "i1.mp3"}) AddFile(name);
    window = std::make_unique<frmEdit>(s, decoder, view);
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previous);
  }
  void AddFile(const QString& name) {
    QFile file(Music() + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QString Music() const { return music.path() + "/"; }
  QTreeWidgetItem* Node(const QString& key) const { return window->Tree->FindKey(key); }
  void Click(const QString& key, Qt::MouseButton button = Qt::LeftButton) {
    window->Tree_MouseDown(button, Node(key));
    window->Tree_MouseUp(button, Node(key));
  }
  bool Ticked(const QString& key) const { return SongTreeWidget::IsChecked(Node(key)); }
  int16_t Mark(const QString& key) const { return s.CheckMark[SongTreeWidget::IndexOf(Node(key))]; }

  QTemporaryDir cwd, music;
  QString previous;
  LibraryTestDb db;
  State s;
  FakeDecoder decoder;
  FakeView view;
  MessageCapture messages;
  std::unique_ptr<frmEdit> window;
};

TEST_F(SelectionWindowTest, LoadsPathsAndDisablesTheSelectionButtons) {
  EXPECT_EQ(window->windowTitle(), "選曲（ ---- 件）");
  EXPECT_EQ(window->DataPath[0]->text(), Music());
  EXPECT_EQ(s.PathDir[1], Music());
  EXPECT_EQ(window->SortSel->currentText(), "アニメタイトル");
  for (int i : {0, 3, 4}) EXPECT_FALSE(window->btn[i]->isEnabled());
  EXPECT_TRUE(window->btn[5]->isEnabled());
  EXPECT_FALSE(window->Edtpop[2]->isEnabled());
}

TEST_F(SelectionWindowTest, SmallTreeOpensExpandedWithTheCountCaption) {
  window->btn_Click(5);
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0004 件）");
  EXPECT_EQ(window->SongCount(), 4);
  EXPECT_EQ(s.EditFlag, -1);
  EXPECT_TRUE(Node("Genre255")->isExpanded());
  EXPECT_TRUE(Node("255あ")->isExpanded());
  EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
}

TEST_F(SelectionWindowTest, EverySongViewOrThirtySongsStayCollapsed) {
  window->EdtChk[0]->setChecked(false);
  window->btn_Click(2);
  EXPECT_EQ(window->SongCount(), 4);
  EXPECT_FALSE(Node("Genre255")->isExpanded());
  QVector<SongRow> many;
  for (int i = 0; i < 30; ++i) {
    many.push_back({.file = QString("m%1.mp3").arg(i),
                    .title = "M",
                    .work = "む",
                    .workKana = "む",
                    .number = i});
    AddFile(many.back().file);
  }
  db.AddSongs(many);
  window->EdtChk[0]->setChecked(true);
  window->btn_Click(2);
  EXPECT_EQ(window->SongCount(), 34);
  EXPECT_FALSE(Node("Genre255")->isExpanded());
}

TEST_F(SelectionWindowTest, NoFilesFoundRescansOnTheNextSearch) {
  window->DataPath[0]->setText("");
  window->btn_Click(5);
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0000 ）");
  EXPECT_EQ(window->Tree->NodeCount(), 0);
  EXPECT_EQ(s.EditFlag, 0);
  window->DataPath[0]->setText(Music());
  window->btn_Click(5);
  EXPECT_EQ(window->SongCount(), 4);
  // With candidates recorded, 検索 reuses them: a new file shows only after 全検索.
  AddFile("i2.mp3");
  db.AddSongs({{.file = "i2.mp3", .title = "I2", .work = "い", .workKana = "い", .number = 2}});
  window->btn_Click(5);
  EXPECT_EQ(window->SongCount(), 4);
  window->btn_Click(2);
  EXPECT_EQ(window->SongCount(), 5);
}

TEST_F(SelectionWindowTest, TickingAWorkTicksItsPlayableSongsAndAncestors) {
  window->EdtChk[0]->setChecked(false);  // show the song without a file too
  window->btn_Click(5);
  const QString a1 = Music() + "a1.mp3";
  Click("255ああ");
  EXPECT_EQ(s.CheckCount, 3);
  EXPECT_TRUE(Ticked(a1));
  EXPECT_TRUE(Ticked("255あ"));
  EXPECT_TRUE(Ticked("Genre255"));
  EXPECT_FALSE(Ticked("未登録 4"));
  EXPECT_EQ(window->windowTitle(), "選曲（ 0003/0004 件）");
  EXPECT_TRUE(window->btn[0]->isEnabled());
  // Clearing the songs one by one clears the work, index and genre with the last.
  Click(Music() + "a2.mp3");
  Click(Music() + "a3.mp3");
  EXPECT_TRUE(Ticked("255ああ"));
  Click(a1);
  EXPECT_EQ(s.CheckCount, 0);
  EXPECT_FALSE(Ticked("255ああ"));
  EXPECT_FALSE(Ticked("255あ"));
  EXPECT_FALSE(Ticked("Genre255"));
  EXPECT_EQ(Mark("Genre255"), 0);
  EXPECT_FALSE(window->btn[0]->isEnabled());
}

TEST_F(SelectionWindowTest, GreySongsCannotBeTicked) {
  window->EdtChk[0]->setChecked(false);
  window->btn_Click(5);
  Click("未登録 4");
  EXPECT_FALSE(Ticked("未登録 4"));
  EXPECT_EQ(Mark("未登録 4"), 0);
  EXPECT_EQ(s.CheckCount, 0);
  Click("Genre255");
  EXPECT_EQ(s.CheckCount, 4);
  EXPECT_FALSE(Ticked("未登録 4"));
  window->Tree->setCurrentItem(Node("未登録 4"));
  window->Tree_SpaceKey();
  EXPECT_FALSE(Ticked("未登録 4"));
  EXPECT_EQ(s.CheckCount, 4);
}

TEST_F(SelectionWindowTest, PressOnOneNodeReleaseOnAnother) {
  window->btn_Click(5);
  const QString a1 = Music() + "a1.mp3", a2 = Music() + "a2.mp3";
  window->Tree_MouseDown(Qt::LeftButton, Node(a1));
  SongTreeWidget::SetChecked(Node(a1), true);  // as if a box had toggled under the press
  window->Tree_MouseUp(Qt::LeftButton, Node(a2));
  EXPECT_FALSE(Ticked(a1));
  EXPECT_TRUE(Ticked(a2));
  EXPECT_EQ(s.CheckCount, 1);
}

TEST_F(SelectionWindowTest, MouseOnTheRowTicksButTheExpandArrowDoesNot) {
  window->resize(600, 500);
  window->show();
  window->btn_Click(5);
  const QRect row = window->Tree->visualItemRect(Node("255ああ"));
  QTest::mouseClick(window->Tree->viewport(), Qt::LeftButton, {},
                    QPoint(row.left() - 8, row.center().y()));
  EXPECT_FALSE(Ticked("255ああ"));
  EXPECT_FALSE(Node("255ああ")->isExpanded());
  QTest::mouseClick(window->Tree->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(Ticked("255ああ"));
  EXPECT_EQ(s.CheckCount, 3);
}

TEST_F(SelectionWindowTest, KeysTickWithSpaceAndSwallowCharacters) {
  window->btn_Click(5);
  const QString a2 = Music() + "a2.mp3";
  window->Tree->setCurrentItem(Node(a2));
  QTest::keyClick(window->Tree, Qt::Key_Space);
  EXPECT_TRUE(Ticked(a2));
  EXPECT_EQ(s.CheckCount, 1);
  QTest::keyClick(window->Tree, Qt::Key_I);  // no type-ahead jump to "い"
  EXPECT_EQ(window->Tree->currentItem(), Node(a2));
}

TEST_F(SelectionWindowTest, DoneBuildsThePlayListInTreeOrderAndStartsIt) {
  window->btn_Click(5);
  window->show();
  Click(Music() + "i1.mp3");
  Click(Music() + "a3.mp3");
  Click(Music() + "a1.mp3");
  window->DataPath[1]->setText("/extra");
  window->btn_Click(0);
  ASSERT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  ASSERT_EQ(s.ListCount, 3);
  EXPECT_EQ(s.ListFile[1], Music() + "a1.mp3");
  EXPECT_EQ(s.ListFile[2], Music() + "a3.mp3");
  EXPECT_EQ(s.ListFile[3], Music() + "i1.mp3");
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_TRUE(decoder.called("open " + (Music() + "a1.mp3").toStdString()));
  EXPECT_EQ(view.counter, "0001 / 0003");
  EXPECT_EQ(view.caption, s.PlayingCaption());
  EXPECT_EQ(s.PathDir[2], "/extra/");
  EXPECT_FALSE(window->isVisible());
}

TEST_F(SelectionWindowTest, CopyAndExportGetTheTickedPaths) {
  window->btn_Click(5);
  Click(Music() + "i1.mp3");
  QStringList got;
  window->openCopy = [&](std::function<QStringList()> collect) { got = collect(); };
  window->btn_Click(3);
  EXPECT_EQ(got, QStringList({Music() + "i1.mp3"}));
}

TEST_F(SelectionWindowTest, PreviewPlaysOneSongAndStops) {
  window->btn_Click(5);
  s.PlayState = 1;
  const QString a1 = Music() + "a1.mp3";
  Click(a1, Qt::RightButton);
  window->pop->hide();
  window->Edtpop_Click(1);
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(view.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(decoder.called("open " + a1.toStdString()));
  EXPECT_TRUE(window->Edtpop[2]->isEnabled());
  window->Edtpop_Click(2);
  EXPECT_FALSE(window->Edtpop[2]->isEnabled());
  EXPECT_EQ(decoder.calls.back(), "close");
  decoder.unopenable.insert(a1.toStdString());
  window->Edtpop_Click(1);
  EXPECT_EQ(messages.texts, QStringList({a1 + "が開けません。"}));
  decoder.unopenable.clear();
  decoder.playResult = 0;
  window->Edtpop_Click(1);
  EXPECT_EQ(messages.texts.last(), a1 + "が演奏出来ません");
}

TEST_F(SelectionWindowTest, RightButtonOnAGroupTogglesItsSubtree) {
  window->EdtChk[0]->setChecked(false);
  window->btn_Click(5);
  Click("Genre255", Qt::RightButton);
  EXPECT_TRUE(Node("255ああ")->isExpanded());
  Click("Genre255", Qt::RightButton);
  EXPECT_FALSE(Node("255ああ")->isExpanded());
}

TEST_F(SelectionWindowTest, BrowseButtonAndPathBoxes) {
  window->SetBtn_Click(1);  // no picker yet: nothing happens
  EXPECT_EQ(window->DataPath[1]->text(), "");
  window->pickFolder = [&] {
    EXPECT_EQ(s.PickedDir, "");
    s.PickedDir = "/picked/";
  };
  window->SetBtn_Click(1);
  EXPECT_EQ(window->DataPath[1]->text(), "/picked/");
  window->DataPath[2]->setText(" /typed ");
  window->DataPath_LostFocus(2);
  EXPECT_EQ(s.PathDir[3], "/typed/");
  EXPECT_EQ(window->DataPath[2]->text(), "/typed/");
}

TEST_F(SelectionWindowTest, FolderErrorNamesTheFolderAndLeavesNothingTicked) {
  window->btn_Click(5);
  Click(Music() + "a1.mp3");
  ASSERT_TRUE(window->btn[0]->isEnabled());
  const QString deepest = MakeTooDeepFolder(Music());
  window->btn_Click(2);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(messages.texts[0].startsWith(deepest + ":")) << messages.texts[0].toStdString();
  EXPECT_EQ(window->windowTitle(), "選曲（フォルダ検索中）");
  EXPECT_EQ(s.CheckCount, 0);
  EXPECT_FALSE(window->btn[0]->isEnabled());
  EXPECT_EQ(window->Tree->NodeCount(), 0);
  RemoveTree(Music() + QString(250, u'd'));
}

TEST_F(SelectionWindowTest, EnterInTheSearchTextMovesToSearch) {
  window->SStr->setFocus();
  QTest::keyClick(window->SStr, Qt::Key_Return);
  EXPECT_EQ(window->focusWidget(), window->SStr);  // empty text: the key goes on
  window->SStr->setText("x");
  QTest::keyClick(window->SStr, Qt::Key_Return);
  EXPECT_EQ(window->focusWidget(), window->btn[5]);
  EXPECT_EQ(window->Tree->NodeCount(), 0);  // the search waits for the button
}

TEST_F(SelectionWindowTest, MissingDatabaseShowsTheEngineError) {
  s.PathDir[5] = db.folder() + "nowhere/";
  window->btn_Click(2);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_EQ(window->Tree->NodeCount(), 0);
}

TEST(LargeLibraryTest, TwentyThousandSongsScanAndBuild) {
  QTemporaryDir dir, cwd;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(cwd.path());
  State s;
  s.UseSongDb = 1;
  s.PathDir[1] = dir.path() + "/music/";
  s.PathDir[5] = dir.path() + "/";
  LargeLibrary::Make(s.PathDir[1], s.PathDir[5] + "sorvdb.mdb", 20000);
  FakeDecoder decoder;
  FakeView view;
  MessageCapture messages;
  frmEdit window(s, decoder, view);
  window.EdtChk[7]->setChecked(true);  // karaoke versions too
  window.btn_Click(2);
  EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  EXPECT_EQ(window.FileCount(), 20000);
  EXPECT_EQ(window.SongCount(), 20000);
  EXPECT_EQ(window.windowTitle(), "選曲（ 0000/20000 件）");
  window.Tree_MouseDown(Qt::LeftButton, window.Tree->FindKey("Genre255"));
  window.Tree_MouseUp(Qt::LeftButton, window.Tree->FindKey("Genre255"));
  EXPECT_EQ(s.CheckCount, 5000);
  EXPECT_EQ(window.CollectCheckedKeys().size(), 5000);
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace sorv::test
