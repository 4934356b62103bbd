#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QProcess>

#include "core/mpris/MprisService.h"
#include "tests/common/FakeEngine.h"

namespace sorv {
namespace {

// A private session bus for the test: a real dbus-daemon on a socket of its own.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000)) return;
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }
  ~PrivateBus() {
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("client");
    daemon_.kill();
    daemon_.waitForFinished(2000);
  }
  bool ok() const { return !address_.isEmpty(); }
  QDBusConnection connect(const QString& name) {
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QProcess daemon_;
  QString address_;
};

// Calls a method of the service without blocking the thread that serves it.
QVariantList call(QDBusConnection& client, const QString& interface, const QString& method,
                  const QVariantList& args = {}) {
  QDBusMessage message = QDBusMessage::createMethodCall(
      "org.mpris.MediaPlayer2.test", "/org/mpris/MediaPlayer2", interface, method);
  message.setArguments(args);
  QDBusPendingCall pending = client.asyncCall(message, 5000);
  while (!pending.isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return pending.reply().arguments();
}

QVariantList playerCall(QDBusConnection& client, const QString& method,
                        const QVariantList& args = {}) {
  return call(client, "org.mpris.MediaPlayer2.Player", method, args);
}

QVariant property(QDBusConnection& client, const QString& name) {
  const QVariantList reply = call(client, "org.freedesktop.DBus.Properties", "Get",
                                  {QStringLiteral("org.mpris.MediaPlayer2.Player"), name});
  return reply.isEmpty() ? QVariant() : reply[0].value<QDBusVariant>().variant();
}

struct Fixture {
  State s;
  test::FakeEngine d;
  QStringList commands;
  MprisCommands hooks() {
    MprisCommands c;
    c.play = [this] { commands << "play"; };
    c.pause = [this] { commands << "pause"; };
    c.stop = [this] { commands << "stop"; };
    c.next = [this] { commands << "next"; };
    c.previous = [this] { commands << "previous"; };
    c.seek = [this](int32_t seconds) { commands << QStringLiteral("seek %1").arg(seconds); };
    return c;
  }
  void playOneSong() {
    s.resizeList(1);
    s.listCount = 1;
    s.listPos = 1;
    s.entry(1).file = "/music/a.mp3";
    s.entry(1).tag.title = "タグの曲名";
    s.entry(1).tag.artist = "タグの歌手";
    s.entry(1).stream.length = 200;
    s.playState = 1;
    d.engineState = 1;
    d.position = 30;
  }
};

TEST(Mpris, WithoutABusRegistrationFailsQuietly) {
  Fixture f;
  MprisService service(f.s, f.d, f.hooks());
  QDBusConnection none = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                       QStringLiteral("none"));
  EXPECT_FALSE(service.registerOnBus(none, "org.mpris.MediaPlayer2.test"));
  service.refresh();  // nothing to tell, nothing breaks
  QDBusConnection::disconnectFromBus("none");
}

TEST(Mpris, MetadataPrefersTheDatabaseOverTheTag) {
  Fixture f;
  f.playOneSong();
  MprisService service(f.s, f.d, f.hooks());
  EXPECT_EQ(service.metadata().value("xesam:title").toString(), "タグの曲名");
  f.s.songTitle = "データベースの曲名";
  f.s.songArtist = "データベースの歌手";
  const QVariantMap map = service.metadata();
  EXPECT_EQ(map.value("xesam:title").toString(), "データベースの曲名");
  EXPECT_EQ(map.value("xesam:artist").toStringList(), QStringList{"データベースの歌手"});
  EXPECT_EQ(map.value("mpris:length").toLongLong(), 200LL * 1000000);
  f.s.playState = 0;
  EXPECT_TRUE(service.metadata().isEmpty());
  EXPECT_EQ(service.playbackStatus(), "Stopped");
}

TEST(Mpris, TheBusSeesTheSongAndDrivesTheCommands) {
  PrivateBus bus;
  ASSERT_TRUE(bus.ok());
  Fixture f;
  f.playOneSong();
  MprisService service(f.s, f.d, f.hooks());
  ASSERT_TRUE(service.registerOnBus(bus.connect("service"), "org.mpris.MediaPlayer2.test"));
  QDBusConnection client = bus.connect("client");

  EXPECT_EQ(property(client, "PlaybackStatus").toString(), "Playing");
  QVariantMap metadata;
  property(client, "Metadata").value<QDBusArgument>() >> metadata;
  EXPECT_EQ(metadata.value("xesam:title").toString(), "タグの曲名");

  playerCall(client, "PlayPause");
  playerCall(client, "Next");
  playerCall(client, "Seek", {qlonglong(10) * 1000000});
  EXPECT_EQ(f.commands, (QStringList{"pause", "next", "seek 40"}));
  f.d.engineState = 2;
  EXPECT_EQ(property(client, "PlaybackStatus").toString(), "Paused");
  playerCall(client, "PlayPause");
  EXPECT_EQ(f.commands.last(), "play");
}

}  // namespace
}  // namespace sorv
