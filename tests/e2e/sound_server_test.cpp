// The player on a desktop's sound server: a private PulseAudio (run_with_sound_server.sh) with a
// null sink whose monitor is recorded, so what the user would hear is checked, not what SDL's
// disk driver wrote.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cstring>

#include "tests/common/PrivateBus.h"
#include "tests/e2e/DesktopSession.h"

namespace sorv::e2e {
namespace {

constexpr int kCloseX = 352, kCloseY = 16;

class SoundServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << "needs an X server of its own";
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER")) << "needs the private sound server";
    session.setAudioDriver("pulseaudio");
    ASSERT_TRUE(session.writeDefaultState());
    recorder.setStandardOutputFile(recording());
    recorder.start("parec", {"-d", "heard.monitor", "--format=float32le", "--rate=44100",
                             "--channels=2", "--latency-msec=20"});
    ASSERT_TRUE(recorder.waitForStarted(10000));
  }
  void TearDown() override {
    recorder.terminate();
    recorder.waitForFinished(5000);
  }
  // Starts the player on a 3 s tone of 440 Hz; returns its panel once it plays.
  QString startPlaying() {
    session.start({session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3")});
    return session.waitForWindow("^♪", 30000);
  }
  QString recording() const { return session.home() + "/monitor.raw"; }
  bool heardForSeconds(double seconds) {
    return DesktopSession::waitFor([&] { return heardSeconds(recording()) >= seconds; }, 30000);
  }

  DesktopSession session;
  QProcess recorder;
};

TEST_F(SoundServer, TheSongIsHeardOnTheServersSink) {
  const QString panel = startPlaying();
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the song";
  ASSERT_TRUE(heardForSeconds(1.5)) << "nothing reached the sink's monitor";
  EXPECT_NEAR(dominantFrequency(recording(), 0.3, 1.0), 440, 10);
  session.click(panel, kCloseX, kCloseY);
  EXPECT_TRUE(session.waitForExit(20000)) << "the close hot spot did not end the program";
}

// Media keys on the desktop's session bus reach the player's own commands while it plays through
// the sound server: pause is heard as silence, play as sound again, next as the next song.
TEST_F(SoundServer, MediaKeysOnTheSessionBusDriveThePlayer) {
  test::PrivateBus bus;
  ASSERT_TRUE(bus.ok()) << "no dbus-daemon";
  session.setVariable("DBUS_SESSION_BUS_ADDRESS", bus.address());
  const QString list = session.home() + "/two.m3u";
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(session.copyIn("tests/fixtures/tone440_vbr.mp3").toUtf8() + "\n" +
             session.copyIn("tests/fixtures/tone1k_48k_stereo.mp3").toUtf8() + "\n");
  file.close();
  session.start({list});
  const QString panel = session.waitForWindow("^♪", 30000);
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the list";
  const QString first = session.windowCaption(panel);
  test::MprisClient keys(bus.connect("client"), "org.mpris.MediaPlayer2.sorvane");
  ASSERT_TRUE(DesktopSession::waitFor(
      [&] { return keys.property("PlaybackStatus").toString() == "Playing"; }, 15000))
      << "the player is not on the session bus";
  ASSERT_TRUE(heardForSeconds(0.5));

  auto silent = [&] { return lastPeak(recording(), 0.3) == 0; };
  keys.player("Pause");
  EXPECT_TRUE(DesktopSession::waitFor(silent, 15000)) << "Pause went on sounding";
  EXPECT_EQ(keys.property("PlaybackStatus").toString(), "Paused");
  keys.player("Play");
  EXPECT_TRUE(DesktopSession::waitFor([&] { return !silent(); }, 15000)) << "Play stayed silent";
  keys.player("Next");
  EXPECT_TRUE(DesktopSession::waitFor(
      [&] {
        return session.windowCaption(panel).startsWith("♪") &&
               session.windowCaption(panel) != first;
      },
      15000))
      << "Next did not start the next song";
  EXPECT_TRUE(DesktopSession::waitFor(
      [&] {
        return std::abs(dominantFrequency(recording(), heardSeconds(recording()) - 0.6, 0.5) -
                        1000) < 20;
      },
      15000))
      << "the next song is not what is heard";
  session.click(panel, kCloseX, kCloseY);
  EXPECT_TRUE(session.waitForExit(20000));
}

// A log-out while the sound server hangs (stopped, or busy for good): the device's close never
// returns, yet the player saves its state and ends within a few seconds.
TEST_F(SoundServer, ALogOutEndsThePlayerWhoseSoundServerHangs) {
  const QString panel = startPlaying();
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the song";
  ASSERT_TRUE(heardForSeconds(0.5)) << "nothing reached the sink's monitor";
  QFile::remove(session.home() + "/sorvane.dat");
  const pid_t server = qEnvironmentVariableIntValue("SORV_PULSE_PID");
  ::kill(server, SIGSTOP);
  ::kill(static_cast<pid_t>(session.process().processId()), SIGTERM);
  const bool ended = session.waitForExit(8000);
  ::kill(server, SIGCONT);
  ASSERT_TRUE(ended) << "the player hung on its stopped sound server";
  EXPECT_EQ(session.process().exitCode(), 0);
  EXPECT_TRUE(QFile::exists(session.home() + "/sorvane.dat")) << "the state was not saved";
}

// A sound server that dies (a crash, a restart, a log-out of the audio session) must not take the
// player and its unsaved settings with it: the song goes on on the server that comes next, and
// when none comes the player says so once and stops. It takes the server of this run away, so it
// comes last.
TEST_F(SoundServer, ThePlayerPlaysOnThroughARestartOfItsSoundServer) {
  const QString song = session.home() + "/long.flac";
  ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "quiet", "-f", "lavfi", "-i",
                                         "sine=frequency=440:d=30", "-ac", "2", song}),
            0);
  session.start({song});
  const QString panel = session.waitForWindow("^♪", 30000);
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the song";
  ASSERT_TRUE(heardForSeconds(2)) << "nothing reached the sink's monitor";
  ::kill(qEnvironmentVariableIntValue("SORV_PULSE_PID"), SIGKILL);
  QThread::sleep(3);

  // The same server again, in the same runtime folder.
  const QString socket = qEnvironmentVariable("PULSE_SERVER").mid(int(strlen("unix:")));
  const QString runtime = QFileInfo(socket).path();
  QProcess server;
  QProcessEnvironment serverEnvironment = QProcessEnvironment::systemEnvironment();
  serverEnvironment.insert("HOME", runtime);
  serverEnvironment.insert("XDG_RUNTIME_DIR", runtime);
  server.setProcessEnvironment(serverEnvironment);
  server.setStandardOutputFile(runtime + "/log2");
  server.setStandardErrorFile(runtime + "/log2");
  server.start(
      "pulseaudio",
      {"--daemonize=no", "--system=false", "-n", "--exit-idle-time=-1", "--disallow-exit",
       "--disable-shm=true", "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket,
       "--load=module-null-sink sink_name=heard rate=44100", "--load=module-always-sink"});
  ASSERT_TRUE(server.waitForStarted(10000));
  ASSERT_TRUE(
      DesktopSession::waitFor([] { return QProcess::execute("pactl", {"info"}) == 0; }, 30000))
      << "the sound server did not come back";
  QProcess again;
  const QString heardAgain = session.home() + "/monitor2.raw";
  again.setStandardOutputFile(heardAgain);
  again.start("parec", {"-d", "heard.monitor", "--format=float32le", "--rate=44100", "--channels=2",
                        "--latency-msec=20"});
  ASSERT_TRUE(again.waitForStarted(10000));
  EXPECT_TRUE(DesktopSession::waitFor([&] { return heardSeconds(heardAgain) >= 1.5; }, 15000))
      << "nothing reached the new server";
  EXPECT_NEAR(dominantFrequency(heardAgain, 0.3, 1.0), 440, 10);
  EXPECT_TRUE(session.windowCaption(panel).startsWith("♪"));

  // Gone for good: one message, and the player stops instead of pretending to play.
  server.kill();
  server.waitForFinished(5000);
  const QString box = session.waitForWindow("^そるばね$", 40000);
  ASSERT_FALSE(box.isEmpty()) << "no message that the sound output is lost";
  EXPECT_FALSE(session.waitForCaption(panel, "^そるばね Ver", 5000).isEmpty()) << "still playing";
  session.xdotool({"windowfocus", "--sync", box, "key", "Return"});
  ASSERT_TRUE(DesktopSession::waitFor([&] { return !session.isVisible(box); }, 5000));
  EXPECT_TRUE(session.waitForWindow("^そるばね$", 3000).isEmpty()) << "the message came again";
  QFile::remove(session.home() + "/sorvane.dat");
  session.click(panel, kCloseX, kCloseY);
  ASSERT_TRUE(session.waitForExit(20000)) << "the player hung without its sound server";
  EXPECT_EQ(session.process().exitCode(), 0);
  EXPECT_TRUE(QFile::exists(session.home() + "/sorvane.dat")) << "the state was not saved";
  again.kill();
  again.waitForFinished(5000);
}

// No server to be found at start (none running, or a session without sound): the player says
// so once, then plays silently, and the rest of it works as ever.
TEST(NoSoundServer, ThePlayerSaysSoOnceAndRunsSilently) {
  DesktopSession session;
  ASSERT_TRUE(session.ok()) << "needs an X server of its own";
  session.setAudioDriver("pulseaudio");
  session.setVariable("PULSE_SERVER", "unix:" + session.home() + "/no-server");
  ASSERT_TRUE(session.writeDefaultState());
  session.start({session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3")});
  const QString box = session.waitForWindow("^そるばね$", 30000);
  ASSERT_FALSE(box.isEmpty()) << "no message that the sound device failed";
  session.xdotool({"windowfocus", "--sync", box, "key", "Return"});
  const QString panel = session.waitForWindow("^♪", 30000);
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the song after the message";
  // The song (3 s) is played out at a sound card's pace, and the player goes idle.
  EXPECT_FALSE(session.waitForCaption(panel, "^そるばね Ver", 30000).isEmpty());
  EXPECT_TRUE(session.waitForWindow("^そるばね$", 1000).isEmpty()) << "the message came again";
  session.click(panel, kCloseX, kCloseY);
  ASSERT_TRUE(session.waitForExit(20000)) << "the close hot spot did not end the program";
  EXPECT_EQ(session.process().exitCode(), 0);
}

}  // namespace
}  // namespace sorv::e2e
