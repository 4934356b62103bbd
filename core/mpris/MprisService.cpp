#include "core/mpris/MprisService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "core/Paths.h"
#include "core/mpris/MprisAdaptors.h"

namespace sorv {

namespace {

const char* const kObjectPath = "/org/mpris/MediaPlayer2";
constexpr int32_t kFullVolume = 100;

}  // namespace

MprisService::MprisService(State& s, AudioEngine& d, MprisCommands commands, QObject* parent)
    : QObject(parent), s_(s), d_(d), commands_(std::move(commands)) {
  new MprisRootAdaptor(this, this);
  new MprisPlayerAdaptor(this, this);
}

MprisService::~MprisService() {
  if (registeredName_.isEmpty()) return;
  bus_.unregisterObject(QString::fromLatin1(kObjectPath));
  bus_.unregisterService(registeredName_);
}

bool MprisService::registerOnBus(QDBusConnection bus, const QString& serviceName) {
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(QString::fromLatin1(kObjectPath), this,
                          QDBusConnection::ExportAdaptors)) {
    return false;
  }
  if (!bus.registerService(serviceName)) {
    bus.unregisterObject(QString::fromLatin1(kObjectPath));
    return false;
  }
  bus_ = bus;
  registeredName_ = serviceName;
  lastStatus_ = playbackStatus();
  lastMetadata_ = metadata();
  lastLoopStatus_ = loopStatus();
  lastShuffle_ = shuffle();
  lastVolume_ = volume();
  return true;
}

QString MprisService::playbackStatus() const {
  if (s_.playState != 1) return QStringLiteral("Stopped");
  int32_t position = 0;
  return d_.state(position) == 2 ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

QVariantMap MprisService::metadata() const {
  QVariantMap map;
  if (s_.playState != 1 || s_.listPos < 1 || s_.listPos > s_.listCount) return map;
  const int pos = s_.listPos;
  const TagRecord& tag = *s_.entry(pos).tag;
  const QString file = s_.entry(pos).file;
  QString title = s_.songTitle;
  QString artist = s_.songArtist;
  if (title.isEmpty()) {
    title = QString::fromStdString(tag.title).trimmed();
    artist = QString::fromStdString(tag.artist).trimmed();
    if (title.isEmpty()) title = fileNamePart(file);
  }
  map.insert(
      QStringLiteral("mpris:trackid"),
      QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/sorvane/track/%1").arg(pos))));
  map.insert(QStringLiteral("mpris:length"), qlonglong(s_.entry(pos).stream->length) * 1000000);
  map.insert(QStringLiteral("xesam:title"), title);
  if (!artist.isEmpty()) map.insert(QStringLiteral("xesam:artist"), QStringList{artist});
  const QString album =
      s_.songProgram.isEmpty() ? QString::fromStdString(tag.album) : s_.songProgram;
  if (!album.isEmpty()) map.insert(QStringLiteral("xesam:album"), album);
  map.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(file).toString());
  return map;
}

qlonglong MprisService::positionMicroseconds() const {
  if (s_.playState != 1) return 0;
  int32_t position = 0;
  d_.state(position);
  return qlonglong(position) * 1000000;
}

QString MprisService::loopStatus() const {
  return s_.loopMode == 1 ? QStringLiteral("Playlist") : QStringLiteral("None");
}

bool MprisService::shuffle() const {
  return s_.shuffleMode == 1;
}

double MprisService::volume() const {
  return (s_.volLevel[0] + s_.volLevel[1]) / (2.0 * kFullVolume);
}

int32_t MprisService::volumeLevel(double volume) {
  return static_cast<int32_t>(std::lround(std::clamp(volume, 0.0, 1.0) * kFullVolume));
}

void MprisService::refresh() {
  if (registeredName_.isEmpty()) return;
  QVariantMap changed;
  // Each property is told once per change, whoever changed it.
  auto note = [&changed](const char* name, auto now, auto& last) {
    if (now != last) changed.insert(QString::fromLatin1(name), QVariant::fromValue(now));
    last = now;
  };
  note("PlaybackStatus", playbackStatus(), lastStatus_);
  note("Metadata", metadata(), lastMetadata_);
  note("LoopStatus", loopStatus(), lastLoopStatus_);
  note("Shuffle", shuffle(), lastShuffle_);
  note("Volume", volume(), lastVolume_);
  if (!changed.isEmpty()) emitChanged(changed);
}

void MprisService::emitChanged(const QVariantMap& changed) {
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
  bus_.send(signal);
}

}  // namespace sorv
