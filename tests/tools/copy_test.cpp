#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QRandomGenerator>
#include <QTest>

#include "tests/tools/ToolsTest.h"
#include "tools/CopyWindow.h"
#include "tools/FileCopy.h"
#include "tools/WavExportWindow.h"

namespace sorv::test {
namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray noise(int size, quint32 seed) {
  QByteArray bytes(size, '\0');
  QRandomGenerator random(seed);
  for (char& c : bytes) c = static_cast<char>(random.bounded(256));
  return bytes;
}

class CopyTest : public ToolsTest {
 protected:
  CopyTest() {
    for (int i = 0; i < 3; ++i) {
      const QString name = QStringLiteral("src/song%1.mp3").arg(i + 1);
      makeDir("src");
      songs << makeFile(name, noise(200000 + 70001 * i, i + 1));
    }
  }
  std::unique_ptr<CopyWindow> makeWindow(const QString& target) {
    auto window = std::make_unique<CopyWindow>(player, [this] { return songs; });
    window->dir1().setPath(target);
    window->show();
    return window;
  }

  QStringList songs;
};

TEST_F(CopyTest, ThreeSongsArrivePerfectlyIdentical) {
  const QString out = makeDir("out");
  auto window = makeWindow(out);
  window->runCommand(0);
  for (const QString& song : songs) {
    const QString copy = out + "/" + QFileInfo(song).fileName();
    EXPECT_EQ(readAll(copy), readAll(song)) << copy.toStdString();
  }
  EXPECT_EQ(window->windowTitle(), "ＭＰ３ファイルコピー中(0003/0003)");
  EXPECT_EQ(window->ttl()->text(), songs.last());
  EXPECT_EQ(window->progressBar()->value(), 3);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(CopyTest, CopyOntoTheSameFolderLeavesTheFilesIntact) {
  QList<QByteArray> before;
  for (const QString& song : songs) before << readAll(song);
  auto window = makeWindow(temp("src"));
  window->runCommand(0);
  for (int i = 0; i < songs.size(); ++i) EXPECT_EQ(readAll(songs[i]), before[i]) << i;
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(CopyTest, CancelDuringTheCopyStopsAfterTheCurrentFile) {
  const QString out = makeDir("out");
  auto window = makeWindow(out);
  // Runs in the events let through after the first file.
  QTimer::singleShot(0, window.get(), [&window] { window->runCommand(1); });
  window->runCommand(0);
  EXPECT_TRUE(QFile::exists(out + "/song1.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song2.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song3.mp3"));
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CopyTest, FirstFailureEndsTheRunWithOneMessage) {
  const QString out = makeDir("out");
  QFile::remove(songs[1]);
  auto window = makeWindow(out);
  window->runCommand(0);
  EXPECT_EQ(messages.texts, QStringList{"コピー中にエラーが発生しました"});
  EXPECT_TRUE(QFile::exists(out + "/song1.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song3.mp3"));
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CopyTest, StartingStopsAndReleasesAPlayingPlayerAndLeavesAnIdleOneAlone) {
  for (const int playing : {1, 0}) {
    s.playState = playing;
    d.engineState = playing;
    d.clearCalls();
    auto window = makeWindow(makeDir("out"));
    window->runCommand(0);
    const std::vector<std::string> released{"stop", "close"};
    EXPECT_EQ(d.calls, playing ? released : std::vector<std::string>{}) << playing;
    EXPECT_EQ(s.playState, 0);
  }
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
}

// Two ticked songs of one name, copied into the folder of one of them: the library's song stays,
// the other arrives beside it under a numbered name.
TEST_F(CopyTest, ASongOfTheSameNameNeverReplacesOneInTheTarget) {
  const QString first = makeDir("lib/a") + "/theme.mp3";
  const QString second = makeDir("lib/b") + "/theme.mp3";
  makeFile("lib/a/theme.mp3", "song of folder a");
  makeFile("lib/b/theme.mp3", "song of folder b");
  songs = {second, first};
  auto window = makeWindow(temp("lib/a"));
  window->runCommand(0);
  EXPECT_EQ(readAll(first), "song of folder a");
  EXPECT_EQ(readAll(second), "song of folder b");
  EXPECT_EQ(readAll(temp("lib/a/theme (2).mp3")), "song of folder b");
  EXPECT_EQ(QDir(temp("lib/a")).entryList(QDir::Files | QDir::Hidden).size(), 2);
  EXPECT_TRUE(messages.texts.isEmpty());
}

// Return on a folder opens it, as in the pickers; only the start button starts the job.
TEST_F(CopyTest, ReturnInEitherToolsFolderListOpensTheFolderAndStartsNothing) {
  const QString out = makeDir("out");
  const QString sub = makeDir("out/sub");
  std::vector<std::unique_ptr<ToolWindow>> windows;
  windows.push_back(std::make_unique<CopyWindow>(player, [this] { return songs; }));
  windows.push_back(std::make_unique<WavExportWindow>(player, [this] { return songs; }));
  for (const auto& window : windows) {
    window->dir1().setPath(out);
    window->show();
    QTreeView* folders = window->dir1().folders();
    folders->setFocus();
    folders->setCurrentIndex(static_cast<QFileSystemModel*>(folders->model())->index(sub));
    QTest::keyClick(folders, Qt::Key_Return);
    EXPECT_EQ(window->dir1().path(), sub) << window->windowTitle().toStdString();
    EXPECT_TRUE(window->isVisible()) << window->windowTitle().toStdString();
    EXPECT_TRUE(window->btn(ToolWindow::kStart)->isEnabled());
    window->reject();
  }
  EXPECT_TRUE(QDir(out).entryList(QDir::Files | QDir::Hidden).isEmpty());
  EXPECT_TRUE(d.calls.empty());
}

TEST(FileCopyTest, KeepsEveryFileThereAndRefusesAMissingSource) {
  QTemporaryDir temp;
  auto write = [&temp](const QString& name, const QByteArray& content) {
    QFile file(temp.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return temp.filePath(name);
  };
  const QString source = write("a.mp3", "new content");
  write("b.mp3", "old");
  write("b (2).mp3", "older");
  write("notes", "kept");
  struct Case {
    QString source, target;
    CopyResult result;
    const char* arrivesAs;  // the file that then holds the source's content
  };
  const std::vector<Case> cases{
      {source, temp.filePath("b.mp3"), CopyResult::Copied, "b (3).mp3"},
      {source, temp.filePath("c.mp3"), CopyResult::Copied, "c.mp3"},
      {source, temp.filePath("notes"), CopyResult::Copied, "notes (2)"},
      {source, source, CopyResult::SameFile, "a.mp3"},
      {temp.filePath("none.mp3"), temp.filePath("d.mp3"), CopyResult::Failed, nullptr},
      {source, temp.filePath("no/such/dir.mp3"), CopyResult::Failed, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(copyKeepingBoth(c.source, c.target), c.result) << c.target.toStdString();
    if (c.arrivesAs) EXPECT_EQ(readAll(temp.filePath(c.arrivesAs)), "new content") << c.arrivesAs;
  }
  EXPECT_EQ(readAll(temp.filePath("b.mp3")), "old");
  EXPECT_EQ(readAll(temp.filePath("b (2).mp3")), "older");
  EXPECT_EQ(readAll(temp.filePath("notes")), "kept");
  EXPECT_FALSE(QFile::exists(temp.filePath("d.mp3")));
  EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 7);
}

}  // namespace
}  // namespace sorv::test
