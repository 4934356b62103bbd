#include <gtest/gtest.h>

#include <QDBusVariant>

#include "core/mpris/MprisService.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/PrivateBus.h"
#include "tests/common/WaitUntil.h"

namespace sorv {
namespace {

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
    c.setLoop = [this](bool on) { s.loopMode = on ? 1 : 0; };
    c.setShuffle = [this](bool on) { s.shuffleMode = on ? 1 : 0; };
    c.setVolume = [this](int32_t level) { s.volLevel = {level, level}; };
    return c;
  }
  void playOneSong() {
    s.resizeList(1);
    s.listCount = 1;
    s.listPos = 1;
    s.entry(1).file = "/music/a.mp3";
    s.entry(1).tag->title = "タグの曲名";
    s.entry(1).tag->artist = "タグの歌手";
    s.entry(1).stream->length = 200;
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
  test::PrivateBus bus;
  ASSERT_TRUE(bus.ok());
  Fixture f;
  f.playOneSong();
  MprisService service(f.s, f.d, f.hooks());
  ASSERT_TRUE(service.registerOnBus(bus.connect("service"), "org.mpris.MediaPlayer2.test"));
  test::MprisClient client(bus.connect("client"), "org.mpris.MediaPlayer2.test");

  EXPECT_EQ(client.property("PlaybackStatus").toString(), "Playing");
  QVariantMap metadata;
  client.property("Metadata").value<QDBusArgument>() >> metadata;
  EXPECT_EQ(metadata.value("xesam:title").toString(), "タグの曲名");

  client.player("PlayPause");
  client.player("Next");
  client.player("Seek", {qlonglong(10) * 1000000});
  EXPECT_EQ(f.commands, (QStringList{"pause", "next", "seek 40"}));
  f.d.engineState = 2;
  EXPECT_EQ(client.property("PlaybackStatus").toString(), "Paused");
  client.player("PlayPause");
  EXPECT_EQ(f.commands.last(), "play");
}

// What a client hears of PropertiesChanged.
class ChangeListener : public QObject {
  Q_OBJECT
 public:
  QVariantMap changed;
 public slots:
  void propertiesChanged(const QString&, const QVariantMap& properties, const QStringList&) {
    changed.insert(properties);
  }
};

// Loop and shuffle lamps and the volume: read, written through the commands, and told.
TEST(Mpris, LampsAndVolumeAreWrittenReadBackAndTold) {
  test::PrivateBus bus;
  ASSERT_TRUE(bus.ok());
  Fixture f;
  f.s.volLevel = {80, 40};
  MprisService service(f.s, f.d, f.hooks());
  ASSERT_TRUE(service.registerOnBus(bus.connect("service"), "org.mpris.MediaPlayer2.test"));
  QDBusConnection connection = bus.connect("client");
  ChangeListener listener;
  ASSERT_TRUE(connection.connect("org.mpris.MediaPlayer2.test", "/org/mpris/MediaPlayer2",
                                 "org.freedesktop.DBus.Properties", "PropertiesChanged", &listener,
                                 SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
  test::MprisClient client(connection, "org.mpris.MediaPlayer2.test");
  EXPECT_EQ(client.property("LoopStatus").toString(), "None");
  EXPECT_EQ(client.property("Shuffle").toBool(), false);
  EXPECT_DOUBLE_EQ(client.property("Volume").toDouble(), 0.6);
  auto set = [&](const char* name, const QVariant& value) {
    client.call("org.freedesktop.DBus.Properties", "Set",
                {QStringLiteral("org.mpris.MediaPlayer2.Player"), QString::fromLatin1(name),
                 QVariant::fromValue(QDBusVariant(value))});
  };
  const struct {
    const char* name;
    QVariant value, readBack;
  } cases[] = {{"LoopStatus", "Playlist", "Playlist"},
               {"Shuffle", true, true},
               {"Volume", 0.254, 0.25},
               {"Volume", 7.0, 1.0},
               {"Volume", -1.0, 0.0},
               {"LoopStatus", "Track", "Playlist"},
               {"LoopStatus", "None", "None"},
               {"Shuffle", false, false}};
  for (const auto& c : cases) {
    listener.changed.clear();
    set(c.name, c.value);
    EXPECT_EQ(client.property(c.name), c.readBack) << c.name;
    if (c.value != c.readBack && QString(c.name) == "LoopStatus") continue;  // nothing changed
    ASSERT_TRUE(test::waitUntil([&] { return listener.changed.contains(c.name); })) << c.name;
    EXPECT_EQ(listener.changed.value(c.name), c.readBack) << c.name;
  }
  EXPECT_EQ(f.s.volLevel, (std::array<int32_t, 2>{0, 0}));
}

}  // namespace
}  // namespace sorv

#include "mpris_test.moc"
