// The selection window: search, auto-expansion, ticking, the buttons and the preview.
#include <gtest/gtest.h>

#include <QTest>

#include "library/select/SelectionWindow.h"
#include "library/select/TreeBuild.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
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
    s.useSongDb = 1;
    s.dbState = SongDbState::Open;
    s.verNo = "1.14";
    s.pathDir[1] = music.path();
    s.pathDir[5] = db.folder();
    db.addSongs({{.file = "a1.mp3", .title = "A1", .work = "あ", .workKana = "あ", .number = 1},
                 {.file = "a2.mp3", .title = "A2", .work = "あ", .workKana = "あ", .number = 2},
                 {.file = "a3.mp3", .title = "A3", .work = "あ", .workKana = "あ", .number = 3},
                 {.file = "gone.mp3", .title = "G", .work = "あ", .workKana = "あ", .number = 4},
                 {.file = "i1.mp3", .title = "I1", .work = "い", .workKana = "い"}});
    for (const char* name : {"a1.mp3", "a2.mp3", "a3.mp3", "i1.mp3"}) addFile(name);
    window = std::make_unique<SelectionWindow>(player);
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previous);
  }
  void addFile(const QString& name) {
    QFile file(musicPath() + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QString musicPath() const { return music.path() + "/"; }
  // Presses a search button and waits until the search has ended.
  void search(int command) {
    window->runCommand(command);
    ASSERT_TRUE(waitUntil([&] { return !window->searching(); }));
  }
  int nodeFor(const QString& key) const { return window->tree->findKey(key); }
  void click(const QString& key, Qt::MouseButton button = Qt::LeftButton) {
    window->treeMouseUp(button, nodeFor(key));
  }
  bool ticked(const QString& key) const { return window->tree->store().isTicked(nodeFor(key)); }
  bool expanded(const QString& key) const { return window->tree->isNodeExpanded(nodeFor(key)); }

  QTemporaryDir cwd, music;
  QString previous;
  LibraryTestDb db;
  State s;
  FakeEngine decoder;
  FakeView view;
  Player player{s, decoder, view};
  MessageCapture messages;
  std::unique_ptr<SelectionWindow> window;
};

TEST_F(SelectionWindowTest, LoadsPathsAndDisablesTheSelectionButtons) {
  EXPECT_EQ(window->windowTitle(), "選曲（ ---- 件）");
  EXPECT_EQ(window->dataPath[0]->text(), musicPath());
  EXPECT_EQ(s.pathDir[1], musicPath());
  EXPECT_EQ(window->sortSel->currentText(), "アニメタイトル");
  for (int i : {0, 3, 4}) EXPECT_FALSE(window->btn[i]->isEnabled());
  EXPECT_TRUE(window->btn[5]->isEnabled());
  EXPECT_FALSE(window->edtpop[2]->isEnabled());
}

// Only a tree of found songs under thirty opens expanded.
TEST_F(SelectionWindowTest, SmallTreeOpensExpandedWithTheCountCaption) {
  search(5);
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0004 件）");
  EXPECT_EQ(window->songCount(), 4);
  EXPECT_TRUE(window->scanReusable());
  EXPECT_TRUE(expanded("Genre255"));
  EXPECT_TRUE(expanded("255あ"));
  EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  window->edtChk[0]->setChecked(false);
  search(2);
  EXPECT_EQ(window->songCount(), 4);
  EXPECT_FALSE(expanded("Genre255"));
  QVector<SongRow> many;
  for (int i = 0; i < 30; ++i) {
    many.push_back({.file = QString("m%1.mp3").arg(i),
                    .title = "M",
                    .work = "む",
                    .workKana = "む",
                    .number = i});
    addFile(many.back().file);
  }
  db.addSongs(many);
  window->edtChk[0]->setChecked(true);
  search(2);
  EXPECT_EQ(window->songCount(), 34);
  EXPECT_FALSE(expanded("Genre255"));
}

TEST_F(SelectionWindowTest, NoFilesFoundRescansOnTheNextSearch) {
  window->dataPath[0]->setText("");
  search(5);
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0000 ）");
  EXPECT_EQ(window->tree->nodeCount(), 0);
  EXPECT_FALSE(window->scanReusable());
  window->dataPath[0]->setText(musicPath());
  search(5);
  EXPECT_EQ(window->songCount(), 4);
  // With candidates recorded, 検索 reuses them: a new file shows only after 全検索.
  addFile("i2.mp3");
  db.addSongs({{.file = "i2.mp3", .title = "I2", .work = "い", .workKana = "い", .number = 2}});
  search(5);
  EXPECT_EQ(window->songCount(), 4);
  search(2);
  EXPECT_EQ(window->songCount(), 5);
}

TEST_F(SelectionWindowTest, TickingAWorkTicksItsPlayableSongsAndAncestors) {
  window->edtChk[0]->setChecked(false);  // show the song without a file too
  search(5);
  const QString a1 = musicPath() + "a1.mp3";
  click("255ああ");
  EXPECT_EQ(window->checkCount(), 3);
  EXPECT_TRUE(ticked(a1));
  EXPECT_TRUE(ticked("255あ"));
  EXPECT_TRUE(ticked("Genre255"));
  EXPECT_FALSE(ticked("未登録 4"));
  EXPECT_EQ(window->windowTitle(), "選曲（ 0003/0004 件）");
  EXPECT_TRUE(window->btn[0]->isEnabled());
  // Clearing the songs one by one clears the work, index and genre with the last.
  click(musicPath() + "a2.mp3");
  click(musicPath() + "a3.mp3");
  EXPECT_TRUE(ticked("255ああ"));
  click(a1);
  EXPECT_EQ(window->checkCount(), 0);
  EXPECT_FALSE(ticked("255ああ"));
  EXPECT_FALSE(ticked("255あ"));
  EXPECT_FALSE(ticked("Genre255"));
  EXPECT_FALSE(window->btn[0]->isEnabled());
}

TEST_F(SelectionWindowTest, GreySongsCannotBeTicked) {
  window->edtChk[0]->setChecked(false);
  search(5);
  click("未登録 4");
  EXPECT_FALSE(ticked("未登録 4"));
  EXPECT_EQ(window->checkCount(), 0);
  click("Genre255");
  EXPECT_EQ(window->checkCount(), 4);
  EXPECT_FALSE(ticked("未登録 4"));
  window->tree->setCurrentNode(nodeFor("未登録 4"));
  window->treeSpaceKey();
  EXPECT_FALSE(ticked("未登録 4"));
  EXPECT_EQ(window->checkCount(), 4);
}

TEST_F(SelectionWindowTest, MouseOnTheRowTicksButTheExpandArrowDoesNot) {
  window->resize(600, 500);
  window->show();
  search(5);
  const QString a1 = musicPath() + "a1.mp3", a2 = musicPath() + "a2.mp3";
  QWidget* rows = window->tree->viewport();
  // Pressed on one song and released on another: only the second one toggles.
  QTest::mousePress(rows, Qt::LeftButton, {}, window->tree->nodeRect(nodeFor(a1)).center());
  QTest::mouseRelease(rows, Qt::LeftButton, {}, window->tree->nodeRect(nodeFor(a2)).center());
  EXPECT_FALSE(ticked(a1));
  EXPECT_TRUE(ticked(a2));
  EXPECT_EQ(window->checkCount(), 1);
  const QRect row = window->tree->nodeRect(nodeFor("255ああ"));
  QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(row.left() - 8, row.center().y()));
  EXPECT_EQ(window->checkCount(), 1);
  EXPECT_FALSE(expanded("255ああ"));
  // The work shows ticked for a2: the first click clears it all, the second ticks it all.
  QTest::mouseClick(rows, Qt::LeftButton, {}, row.center());
  EXPECT_FALSE(ticked(a2));
  EXPECT_EQ(window->checkCount(), 0);
  QTest::mouseClick(rows, Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(ticked("255ああ"));
  EXPECT_EQ(window->checkCount(), 3);
}

TEST_F(SelectionWindowTest, KeysTickWithSpaceAndSwallowCharacters) {
  search(5);
  const QString a2 = musicPath() + "a2.mp3";
  window->tree->setCurrentNode(nodeFor(a2));
  QTest::keyClick(window->tree, Qt::Key_Space);
  EXPECT_TRUE(ticked(a2));
  EXPECT_EQ(window->checkCount(), 1);
  QTest::keyClick(window->tree, Qt::Key_I);  // no type-ahead jump to "い"
  EXPECT_EQ(window->tree->currentNode(), nodeFor(a2));
}

TEST_F(SelectionWindowTest, DoneBuildsThePlayListInTreeOrderAndStartsIt) {
  search(5);
  window->show();
  click(musicPath() + "i1.mp3");
  click(musicPath() + "a3.mp3");
  click(musicPath() + "a1.mp3");
  window->dataPath[1]->setText("/extra");
  window->runCommand(0);
  ASSERT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  ASSERT_EQ(s.listCount, 3);
  EXPECT_EQ(s.entry(1).file, musicPath() + "a1.mp3");
  EXPECT_EQ(s.entry(2).file, musicPath() + "a3.mp3");
  EXPECT_EQ(s.entry(3).file, musicPath() + "i1.mp3");
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(s.playState, 1);
  EXPECT_TRUE(decoder.called("open " + (musicPath() + "a1.mp3").toStdString()));
  EXPECT_EQ(view.counterText, "0001 / 0003");
  EXPECT_EQ(view.caption, s.playingCaption());
  EXPECT_EQ(s.pathDir[2], "/extra/");
  EXPECT_FALSE(window->isVisible());
}

TEST_F(SelectionWindowTest, PreviewPlaysOneSongAndStops) {
  search(5);
  s.playState = 1;
  const QString a1 = musicPath() + "a1.mp3";
  click(a1, Qt::RightButton);
  window->pop->hide();
  window->edtpopClick(1);
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(view.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(decoder.called("open " + a1.toStdString()));
  EXPECT_TRUE(window->edtpop[2]->isEnabled());
  window->edtpopClick(2);
  EXPECT_FALSE(window->edtpop[2]->isEnabled());
  EXPECT_EQ(decoder.calls.back(), "close");
  decoder.unopenable.insert(a1.toStdString());
  window->edtpopClick(1);
  EXPECT_EQ(messages.texts, QStringList({a1 + "が開けません。"}));
  decoder.unopenable.clear();
  decoder.playResult = 0;
  window->edtpopClick(1);
  EXPECT_EQ(messages.texts.last(), a1 + "が演奏出来ません");
}

TEST_F(SelectionWindowTest, RightButtonOnAGroupTogglesItsSubtree) {
  window->edtChk[0]->setChecked(false);
  search(5);
  click("Genre255", Qt::RightButton);
  EXPECT_TRUE(expanded("255ああ"));
  click("Genre255", Qt::RightButton);
  EXPECT_FALSE(expanded("255ああ"));
}

TEST_F(SelectionWindowTest, BrowseButtonAndPathBoxes) {
  window->setBtnClick(1);  // nothing connected: nothing happens
  EXPECT_EQ(window->dataPath[1]->text(), "");
  QObject::connect(window.get(), &SelectionWindow::folderPickRequested,
                   [&](QLineEdit* box) { box->setText("/picked/"); });
  window->setBtnClick(1);
  EXPECT_EQ(window->dataPath[1]->text(), "/picked/");
  window->dataPath[2]->setText(" /typed ");
  window->dataPathLostFocus(2);
  EXPECT_EQ(s.pathDir[3], "/typed/");
  EXPECT_EQ(window->dataPath[2]->text(), "/typed/");
  // A folder picked with 参照 is kept however the window is closed, Escape too.
  window->show();
  window->setBtnClick(1);
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(s.pathDir[2], "/picked/");
}

TEST_F(SelectionWindowTest, FolderErrorNamesTheFolderAndLeavesNothingTicked) {
  search(5);
  click(musicPath() + "a1.mp3");
  ASSERT_TRUE(window->btn[0]->isEnabled());
  const QString deepest = makeTooDeepFolder(musicPath());
  search(2);
  ASSERT_EQ(messages.texts.size(), 1);
  // The folder, then why it cannot be listed.
  EXPECT_TRUE(messages.texts[0].startsWith(deepest + ":")) << messages.texts[0].toStdString();
  EXPECT_GT(messages.texts[0].size(), deepest.size() + 1);
  EXPECT_EQ(window->windowTitle(), "選曲（フォルダ検索中）");
  EXPECT_EQ(window->checkCount(), 0);
  EXPECT_FALSE(window->btn[0]->isEnabled());
  EXPECT_EQ(window->tree->nodeCount(), 0);
  removeTree(musicPath() + QString(250, u'd'));
}

TEST_F(SelectionWindowTest, EnterInTheSearchTextMovesToSearch) {
  window->sStr->setFocus();
  QTest::keyClick(window->sStr, Qt::Key_Return);
  EXPECT_EQ(window->focusWidget(), window->sStr);  // empty text: the key goes on
  window->sStr->setText("A");
  QTest::keyClick(window->sStr, Qt::Key_Return);
  EXPECT_EQ(window->focusWidget(), window->btn[5]);
  EXPECT_EQ(window->tree->nodeCount(), 0);          // the search waits for the button
  QTest::keyClick(window->btn[5], Qt::Key_Return);  // now the button takes it
  ASSERT_TRUE(waitUntil([&] { return !window->searching(); }));
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0003 件）");
}

TEST_F(SelectionWindowTest, MissingDatabaseShowsTheEngineError) {
  s.pathDir[5] = db.folder() + "nowhere/";
  search(2);
  ASSERT_EQ(messages.texts.size(), 1);
  EXPECT_EQ(window->tree->nodeCount(), 0);
}

// The window answers while it searches: another search, 選曲取消 or its end drop the search that
// runs, whose tree then never shows.
TEST_F(SelectionWindowTest, ASecondSearchOrClosingDropsTheSearchThatRuns) {
  window->show();
  window->runCommand(2);
  EXPECT_TRUE(window->searching());
  EXPECT_EQ(window->windowTitle(), "選曲（フォルダ検索中）");
  window->sStr->setText("I1");
  search(2);
  EXPECT_EQ(window->windowTitle(), "選曲（ 0000/0001 件）");
  EXPECT_EQ(window->tree->nodeCount(), 4);  // genre, index, work, song
  window->sStr->clear();
  window->runCommand(5);
  window->runCommand(1);
  EXPECT_FALSE(window->searching());
  waitUntil([] { return false; }, 500);
  EXPECT_EQ(window->windowTitle(), "選曲（ ---- 件）");
  EXPECT_EQ(window->tree->nodeCount(), 0);
  EXPECT_EQ(window->songCount(), 0);
  EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  window->runCommand(2);
  window.reset();  // waits for the search it cancels
}

// Past the 16-bit counts of old: every song ticks, counts and is collected in tree order.
TEST(LargeLibraryTest, ThirtyThreeThousandSongsTickCountAndCollect) {
  QTemporaryDir dir, cwd;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(cwd.path());
  State s;
  s.useSongDb = 1;
  s.pathDir[1] = dir.path() + "/music/";
  s.pathDir[5] = dir.path() + "/";
  constexpr int kSongs = 33000;
  LargeLibrary::make(s.pathDir[1], s.pathDir[5] + "sorvdb.mdb", kSongs);
  FakeEngine decoder;
  FakeView view;
  Player player{s, decoder, view};
  MessageCapture messages;
  SelectionWindow window(player);
  window.edtChk[7]->setChecked(true);  // karaoke versions too
  window.runCommand(2);
  ASSERT_TRUE(waitUntil([&] { return !window.searching(); }));
  EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
  EXPECT_EQ(window.fileCount(), kSongs);
  EXPECT_EQ(window.songCount(), kSongs);
  EXPECT_EQ(window.windowTitle(), "選曲（ 0000/33000 件）");
  const QStringList genres = {"Genre255", "Genre254", "Genre036", "Genre024"};
  for (const QString& genre : genres)
    window.treeMouseUp(Qt::LeftButton, window.tree->findKey(genre));
  EXPECT_EQ(window.checkCount(), kSongs);
  EXPECT_EQ(window.windowTitle(), "選曲（ 33000/33000 件）");
  EXPECT_TRUE(window.btn[0]->isEnabled());
  // Genre 255 holds every fourth work of twenty songs: 413 of the 1,650.
  window.treeMouseUp(Qt::LeftButton, window.tree->findKey("Genre255"));
  EXPECT_EQ(window.checkCount(), kSongs - 413 * 20);
  EXPECT_EQ(window.windowTitle(), "選曲（ 24740/33000 件）");
  // The ticked leaves as the view shows them, walked through the model, top to bottom.
  QStringList shown;
  const QAbstractItemModel& model = *window.tree->model();
  const std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
      const QModelIndex index = model.index(row, 0, parent);
      const int node = SongTreeModel::nodeOf(index);
      if (model.rowCount(index) == 0 && index.data(Qt::CheckStateRole) == Qt::Checked)
        shown << window.tree->store().node(node).key;
      walk(index);
    }
  };
  walk({});
  ASSERT_EQ(shown.size(), kSongs - 413 * 20);
  EXPECT_EQ(window.collectCheckedKeys(), shown);
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace sorv::test
