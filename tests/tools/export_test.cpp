#include <QSet>

#include "decoder/WholeFile.h"
#include "tests/tools/ToolsTest.h"
#include "tools/WavExportWindow.h"

namespace sorv::test {
namespace {

class ExportTest : public ToolsTest {
 protected:
  // An export window showing the output folder, over the given files.
  std::unique_ptr<WavExportWindow> makeWindow(const QStringList& files) {
    out = makeDir("out");
    auto window = std::make_unique<WavExportWindow>(player, [files] { return files; });
    window->dir1().setPath(out);
    window->show();
    return window;
  }
  // The decode running in the fake engine ends.
  void decodeEnds() { d.engineState = 0; }

  QString out;
};

TEST(ExportNameTest, ExtensionBecomesWav) {
  EXPECT_EQ(WavExportWindow::outputName("song.mp3"), "song.WAV");
  EXPECT_EQ(WavExportWindow::outputName("a.rmp"), "a.WAV");
  EXPECT_EQ(WavExportWindow::outputName("曲.flac"), "曲.WAV");
  EXPECT_EQ(WavExportWindow::outputName("ab"), "WAV");
}

TEST_F(ExportTest, RmpFileExportsToWavInTheChosenFolder) {
  auto window = makeWindow({"/music/a.rmp"});
  window->runCommand(0);
  window->startDelayTick();
  EXPECT_TRUE(d.called("open /music/a.rmp"));
  EXPECT_TRUE(d.called("decodeWave " + (out + "/a.WAV").toStdString()));
  EXPECT_EQ(window->ttl()->text(), "a.rmp　変換中");
  EXPECT_EQ(window->windowTitle(), "ＷＡＶ変換 (0001/0001)");
}

TEST_F(ExportTest, OneSongClosesTheWindowOnTheTickAfterItsDecodeEnds) {
  d.streams["/m/one.mp3"].length = 200;
  auto window = makeWindow({"/m/one.mp3"});
  window->runCommand(0);
  EXPECT_FALSE(window->btn(0)->isEnabled());
  EXPECT_TRUE(window->timerRunning());
  window->startDelayTick();
  EXPECT_EQ(window->progressBar()->maximum(), 200);
  d.position = 42;
  window->startDelayTick();
  EXPECT_EQ(window->progressBar()->value(), 42);
  EXPECT_TRUE(window->isVisible());
  decodeEnds();
  window->startDelayTick();
  EXPECT_TRUE(d.called("close"));
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

TEST_F(ExportTest, EachFileTakesTwoTicksAtLeast) {
  auto window = makeWindow({"/m/1.mp3", "/m/2.mp3"});
  window->runCommand(0);
  window->startDelayTick();  // opens 1
  decodeEnds();
  window->startDelayTick();  // closes 1
  EXPECT_FALSE(d.called("open /m/2.mp3"));
  EXPECT_TRUE(window->isVisible());
  window->startDelayTick();  // opens 2
  EXPECT_TRUE(d.called("open /m/2.mp3"));
  EXPECT_EQ(window->windowTitle(), "ＷＡＶ変換 (0002/0002)");
  decodeEnds();
  window->startDelayTick();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ExportTest, UnopenableFileIsReportedAndTheNextOneFollows) {
  d.unopenable = {"/m/bad.mp3"};
  auto window = makeWindow({"/m/bad.mp3", "/m/good.mp3"});
  window->runCommand(0);
  window->startDelayTick();
  EXPECT_EQ(messages.texts, QStringList{"/m/bad.mp3のオープンに失敗しました。"});
  EXPECT_FALSE(window->converting());
  window->startDelayTick();
  EXPECT_TRUE(d.called("decodeWave " + (out + "/good.WAV").toStdString()));
}

TEST_F(ExportTest, UnopenableLastFileLeavesTheWindowOpenWithoutGoingPastTheList) {
  d.unopenable = {"/m/bad.mp3"};
  auto window = makeWindow({"/m/bad.mp3"});
  window->runCommand(0);
  for (int tick = 0; tick < 3; ++tick) window->startDelayTick();
  EXPECT_EQ(d.count("open /m/bad.mp3"), 1);
  EXPECT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

TEST_F(ExportTest, FailedDecodeIsReportedThenClosedAndSkipped) {
  d.decodeWaveResult = 0;
  auto window = makeWindow({"/m/x.mp3", "/m/y.mp3"});
  window->runCommand(0);
  window->startDelayTick();
  EXPECT_EQ(messages.texts, QStringList{"/m/x.mp3の変換に失敗しました。"});
  EXPECT_TRUE(window->converting());
  window->startDelayTick();
  EXPECT_TRUE(d.called("close"));
  window->startDelayTick();
  EXPECT_TRUE(d.called("open /m/y.mp3"));
}

TEST_F(ExportTest, RootFolderGivesADoubledSeparatorPassedOnUnchanged) {
  auto window = makeWindow({"/m/song.mp3"});
  window->dir1().setPath("/");
  window->runCommand(0);
  window->startDelayTick();
  EXPECT_TRUE(d.called("decodeWave //song.WAV"));
}

TEST_F(ExportTest, CancelClosesTheWindowAndOnlyAFileBeingConverted) {
  auto idle = makeWindow({"/m/song.mp3"});
  idle->runCommand(1);
  EXPECT_TRUE(d.calls.empty());
  EXPECT_FALSE(idle->isVisible());
  auto window = makeWindow({"/m/1.mp3", "/m/2.mp3"});
  window->runCommand(0);
  window->startDelayTick();
  window->runCommand(1);
  EXPECT_EQ(d.calls.back(), "close");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

// A killed export leaves its temporary file; the next export into that folder removes it, and
// only it: names a user could choose stay, and so does a file a running export still writes.
TEST_F(ExportTest, StartingRemovesOnlyTheTemporaryFilesAKilledExportLeft) {
  auto window = makeWindow({"/m/song.mp3"});
  const QStringList kept{"song.WAV.part.a1B2c3", ".sorvane-tmp-", ".sorvane-tmp-a1B2c3d"};
  for (const QString& name : kept + QStringList{".sorvane-tmp-a1B2c3"}) makeFile("out/" + name, "");
  WholeFileWriter running;
  ASSERT_TRUE(running.open((out + "/other.WAV").toStdString()));
  window->runCommand(0);
  QStringList left = QDir(out).entryList(QDir::Files | QDir::Hidden);
  EXPECT_TRUE(
      left.removeOne(QFileInfo(QString::fromStdString(running.temporaryPath())).fileName()));
  EXPECT_EQ(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
}

TEST_F(ExportTest, StartingStopsPlaybackForGood) {
  s.playState = 1;
  s.startPending = 1;
  v.startTimerInterval = 2000;
  v.timeText = "00:10";
  d.engineState = 1;
  auto window = makeWindow({"/m/song.mp3"});
  window->runCommand(0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"stop", "close"}));
  EXPECT_EQ(s.playState, 0);
  EXPECT_EQ(s.startPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(v.timeText.isEmpty());
  EXPECT_FALSE(v.mPanelArea.prints().isEmpty());
}

}  // namespace
}  // namespace sorv::test
