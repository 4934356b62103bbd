#include <QFile>
#include <QRandomGenerator>

#include "tests/tools/ToolsTest.h"
#include "tools/CopyWindow.h"
#include "tools/FileCopy.h"

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

TEST(FileCopyTest, ReplacesAnExistingTargetAndRefusesAMissingSource) {
  QTemporaryDir temp;
  const QString source = temp.filePath("a.mp3");
  const QString target = temp.filePath("b.mp3");
  QFile in(source);
  ASSERT_TRUE(in.open(QIODevice::WriteOnly));
  in.write("new content");
  in.close();
  QFile old(target);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old and longer content");
  old.close();
  EXPECT_EQ(copyReplacing(source, target), CopyResult::Copied);
  EXPECT_EQ(readAll(target), "new content");
  EXPECT_EQ(copyReplacing(source, source), CopyResult::SameFile);
  EXPECT_EQ(readAll(source), "new content");
  EXPECT_EQ(copyReplacing(temp.filePath("none.mp3"), target), CopyResult::Failed);
  EXPECT_EQ(readAll(target), "new content");
  EXPECT_EQ(copyReplacing(source, temp.filePath("no/such/dir.mp3")), CopyResult::Failed);
}

}  // namespace
}  // namespace sorv::test
