// The player driven by playerctl, a desktop MPRIS client, on a private session bus: what the
// desktop's media widgets and phone remotes see and set.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "tests/common/PrivateBus.h"
#include "tests/e2e/DesktopSession.h"

namespace sorv::e2e {
namespace {

constexpr int kCloseX = 352, kCloseY = 16;

class Playerctl {
 public:
  explicit Playerctl(const QString& busAddress) {
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
  }
  // playerctl's answer for the player, its blanks trimmed.
  QString operator()(const QStringList& args) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start("playerctl", QStringList{"--player=sorvane"} + args);
    if (!process.waitForFinished(10000)) return QStringLiteral("(no answer)");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

 private:
  QProcessEnvironment environment_;
};

TEST(Playerctl, StatusMetadataLoopShuffleAndVolume) {
  DesktopSession session;
  ASSERT_TRUE(session.ok()) << "needs an X server of its own";
  test::PrivateBus bus;
  ASSERT_TRUE(bus.ok()) << "no dbus-daemon";
  session.setVariable("DBUS_SESSION_BUS_ADDRESS", bus.address());
  ASSERT_TRUE(session.writeDefaultState());
  const QString list = session.home() + "/two.m3u8";
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#EXTM3U\n" + session.copyIn("tests/fixtures/id3v24_utf8.mp3").toUtf8() + "\n" +
             session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3").toUtf8() + "\n");
  file.close();
  session.start({list});
  const QString panel = session.waitForWindow("^♪", 30000);
  ASSERT_FALSE(panel.isEmpty()) << "no panel playing the list";

  Playerctl playerctl(bus.address());
  EXPECT_TRUE(DesktopSession::waitFor([&] { return playerctl({"status"}) == "Playing"; }, 15000))
      << playerctl({"status"}).toStdString();
  EXPECT_EQ(playerctl({"loop"}), "None");
  EXPECT_EQ(playerctl({"shuffle"}), "Off");
  EXPECT_DOUBLE_EQ(playerctl({"volume"}).toDouble(), 0.8);

  const struct {
    QStringList set;
    const char* property;
    QString readBack;
  } cases[] = {{{"loop", "Playlist"}, "loop", "Playlist"},
               {{"shuffle", "On"}, "shuffle", "On"},
               {{"volume", "0.3"}, "volume", "0.300000"}};
  for (const auto& c : cases) {
    playerctl(c.set);
    EXPECT_TRUE(
        DesktopSession::waitFor([&] { return playerctl({c.property}) == c.readBack; }, 10000))
        << c.property << ": " << playerctl({c.property}).toStdString();
  }
  // The list goes round now: its tagged song comes again.
  EXPECT_TRUE(DesktopSession::waitFor(
      [&] {
        return playerctl({"metadata", "--format", "{{title}}|{{artist}}"}) ==
               "ユニコード題名|Ärtist";
      },
      15000));
  playerctl({"pause"});
  EXPECT_TRUE(DesktopSession::waitFor([&] { return playerctl({"status"}) == "Paused"; }, 10000));

  // The lamps and the volume set from the desktop are kept as if set on the panel.
  session.click(panel, kCloseX, kCloseY);
  ASSERT_TRUE(session.waitForExit(20000)) << "the close hot spot did not end the program";
  QFile state(session.home() + "/sorvane.dat");
  ASSERT_TRUE(state.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = state.readAll().split('\n');
  ASSERT_GE(lines.size(), 16);
  EXPECT_EQ(lines[11].trimmed(), "5,30,30");
  EXPECT_EQ(lines[15].trimmed(), "1,1,10");
}

}  // namespace
}  // namespace sorv::e2e
