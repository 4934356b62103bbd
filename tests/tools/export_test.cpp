#include "tests/tools/ToolsTest.h"
#include "tools/frmConv.h"

namespace sorv::test {
namespace {

class ExportTest : public ToolsTest {
 protected:
  // An export window showing the output folder, over the given files.
  std::unique_ptr<frmConv> Window(const QStringList& files) {
    out = MakeDir("out");
    auto window = std::make_unique<frmConv>(s, d, v, [files] { return files; });
    window->Dir1().setPath(out);
    window->show();
    return window;
  }
  // The decode running in the fake engine ends.
  void DecodeEnds() { d.state = 0; }

  QString out;
};

TEST(ExportNameTest, LastThreeCharactersBecomeWav) {
  EXPECT_EQ(frmConv::OutputName("song.mp3"), "song.WAV");
  EXPECT_EQ(frmConv::OutputName("a.rmp"), "a.WAV");
  EXPECT_EQ(frmConv::OutputName("ab"), "WAV");
}

TEST_F(ExportTest, RmpFileExportsToWavInTheChosenFolder) {
  auto window = Window({"/music/a.rmp"});
  window->btn_Click(0);
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("open /music/a.rmp"));
  EXPECT_TRUE(d.called("decodeWave " + (out + "/a.WAV").toStdString()));
  EXPECT_EQ(window->ttl()->text(), "a.rmp　変換中");
  EXPECT_EQ(window->windowTitle(), "ＷＡＶ変換 (0001/0001)");
}

TEST_F(ExportTest, OneSongClosesTheWindowOnTheTickAfterItsDecodeEnds) {
  d.streams["/m/one.mp3"].length = 200;
  auto window = Window({"/m/one.mp3"});
  window->btn_Click(0);
  EXPECT_FALSE(window->btn(0)->isEnabled());
  EXPECT_TRUE(window->timerRunning());
  window->Timer1_Timer();
  EXPECT_EQ(window->Bar()->maximum(), 200);
  d.position = 42;
  window->Timer1_Timer();
  EXPECT_EQ(window->Bar()->value(), 42);
  EXPECT_TRUE(window->isVisible());
  DecodeEnds();
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("close"));
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

TEST_F(ExportTest, EachFileTakesTwoTicksAtLeast) {
  auto window = Window({"/m/1.mp3", "/m/2.mp3"});
  window->btn_Click(0);
  window->Timer1_Timer();  // opens 1
  DecodeEnds();
  window->Timer1_Timer();  // closes 1
  EXPECT_FALSE(d.called("open /m/2.mp3"));
  EXPECT_TRUE(window->isVisible());
  window->Timer1_Timer();  // opens 2
  EXPECT_TRUE(d.called("open /m/2.mp3"));
  EXPECT_EQ(window->windowTitle(), "ＷＡＶ変換 (0002/0002)");
  DecodeEnds();
  window->Timer1_Timer();
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ExportTest, UnopenableFileIsReportedAndTheNextOneFollows) {
  d.unopenable = {"/m/bad.mp3"};
  auto window = Window({"/m/bad.mp3", "/m/good.mp3"});
  window->btn_Click(0);
  window->Timer1_Timer();
  EXPECT_EQ(messages.texts, QStringList{"/m/bad.mp3のオープンに失敗しました。"});
  EXPECT_FALSE(window->converting());
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("decodeWave " + (out + "/good.WAV").toStdString()));
}

TEST_F(ExportTest, UnopenableLastFileLeavesTheWindowOpenWithoutGoingPastTheList) {
  d.unopenable = {"/m/bad.mp3"};
  auto window = Window({"/m/bad.mp3"});
  window->btn_Click(0);
  for (int tick = 0; tick < 3; ++tick) window->Timer1_Timer();
  EXPECT_EQ(d.count("open /m/bad.mp3"), 1);
  EXPECT_EQ(messages.texts.size(), 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

TEST_F(ExportTest, FailedDecodeIsReportedThenClosedAndSkipped) {
  d.decodeWaveResult = 0;
  auto window = Window({"/m/x.mp3", "/m/y.mp3"});
  window->btn_Click(0);
  window->Timer1_Timer();
  EXPECT_EQ(messages.texts, QStringList{"/m/x.mp3の変換に失敗しました。"});
  EXPECT_TRUE(window->converting());
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("close"));
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("open /m/y.mp3"));
}

TEST_F(ExportTest, RootFolderGivesADoubledSeparatorPassedOnUnchanged) {
  auto window = Window({"/m/song.mp3"});
  window->Dir1().setPath("/");
  window->btn_Click(0);
  window->Timer1_Timer();
  EXPECT_TRUE(d.called("decodeWave //song.WAV"));
}

TEST_F(ExportTest, CancelWhileIdleNeverTouchesTheEngine) {
  auto window = Window({"/m/song.mp3"});
  window->btn_Click(1);
  EXPECT_TRUE(d.calls.empty());
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ExportTest, CancelWhileConvertingClosesTheFileAndStopsTheTicks) {
  auto window = Window({"/m/1.mp3", "/m/2.mp3"});
  window->btn_Click(0);
  window->Timer1_Timer();
  window->btn_Click(1);
  EXPECT_EQ(d.calls.back(), "close");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->timerRunning());
}

TEST_F(ExportTest, StartingStopsPlaybackForGood) {
  s.PlayState = 1;
  s.StartPending = 1;
  v.startTimerInterval = 2000;
  v.time = "00:10";
  d.state = 1;
  auto window = Window({"/m/song.mp3"});
  window->btn_Click(0);
  EXPECT_EQ(d.calls, (std::vector<std::string>{"stop", "close"}));
  EXPECT_EQ(s.PlayState, 0);
  EXPECT_EQ(s.StartPending, 0);
  EXPECT_EQ(v.startTimerInterval, 0);
  EXPECT_EQ(v.caption, "そるばね Ver.1.14");
  EXPECT_TRUE(v.time.isEmpty());
  EXPECT_FALSE(v.mPanel.prints().isEmpty());
}

}  // namespace
}  // namespace sorv::test
