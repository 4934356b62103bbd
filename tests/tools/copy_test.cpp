#include <QFile>
#include <QRandomGenerator>

#include "tests/tools/ToolsTest.h"
#include "tools/FileCopy.h"
#include "tools/frmCopy.h"

namespace sorv::test {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray Noise(int size, quint32 seed) {
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
      MakeDir("src");
      songs << MakeFile(name, Noise(200000 + 70001 * i, i + 1));
    }
  }
  std::unique_ptr<frmCopy> Window(const QString& target) {
    auto window = std::make_unique<frmCopy>(s, d, v, [this] { return songs; });
    window->Dir1().setPath(target);
    window->show();
    return window;
  }

  QStringList songs;
};

TEST_F(CopyTest, ThreeSongsArrivePerfectlyIdentical) {
  const QString out = MakeDir("out");
  auto window = Window(out);
  window->btn_Click(0);
  for (const QString& song : songs) {
    const QString copy = out + "/" + QFileInfo(song).fileName();
    EXPECT_EQ(ReadAll(copy), ReadAll(song)) << copy.toStdString();
  }
  EXPECT_EQ(window->windowTitle(), "ＭＰ３ファイルコピー中(0003/0003)");
  EXPECT_EQ(window->ttl()->text(), songs.last());
  EXPECT_EQ(window->Bar()->value(), 3);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(CopyTest, CopyOntoTheSameFolderLeavesTheFilesIntact) {
  QList<QByteArray> before;
  for (const QString& song : songs) before << ReadAll(song);
  auto window = Window(Temp("src"));
  window->btn_Click(0);
  for (int i = 0; i < songs.size(); ++i) EXPECT_EQ(ReadAll(songs[i]), before[i]) << i;
  EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(CopyTest, CancelDuringTheCopyStopsAfterTheCurrentFile) {
  const QString out = MakeDir("out");
  auto window = Window(out);
  // Runs in the events let through after the first file.
  QTimer::singleShot(0, window.get(), [&window] { window->btn_Click(1); });
  window->btn_Click(0);
  EXPECT_TRUE(QFile::exists(out + "/song1.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song2.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song3.mp3"));
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CopyTest, FirstFailureEndsTheRunWithOneMessage) {
  const QString out = MakeDir("out");
  QFile::remove(songs[1]);
  auto window = Window(out);
  window->btn_Click(0);
  EXPECT_EQ(messages.texts, QStringList{"コピー中にエラーが発生しました"});
  EXPECT_TRUE(QFile::exists(out + "/song1.mp3"));
  EXPECT_FALSE(QFile::exists(out + "/song3.mp3"));
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CopyTest, StartingStopsAndReleasesThePlayer) {
  s.PlayState = 1;
  d.state = 1;
  auto window = Window(MakeDir("out"));
  window->btn_Click(0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"stop", "close"}));
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
}

TEST_F(CopyTest, IdlePlayerIsNotTouched) {
  auto window = Window(MakeDir("out"));
  window->btn_Click(0);
  EXPECT_TRUE(d.calls.empty());
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
  EXPECT_EQ(CopyReplacing(source, target), CopyResult::Copied);
  EXPECT_EQ(ReadAll(target), "new content");
  EXPECT_EQ(CopyReplacing(source, source), CopyResult::SameFile);
  EXPECT_EQ(ReadAll(source), "new content");
  EXPECT_EQ(CopyReplacing(temp.filePath("none.mp3"), target), CopyResult::Failed);
  EXPECT_EQ(ReadAll(target), "new content");
  EXPECT_EQ(CopyReplacing(source, temp.filePath("no/such/dir.mp3")), CopyResult::Failed);
}

}  // namespace
}  // namespace sorv::test
