#include "core/mpris/Mpris.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

#include "core/Paths.h"
#include "core/mpris/MprisAdaptors.h"

namespace sorv {

namespace {

const char* const kObjectPath = "/org/mpris/MediaPlayer2";

}  // namespace

MprisService::MprisService(State& s, Decoder& d, MprisCommands commands, QObject* parent)
    : QObject(parent), s_(s), d_(d), commands_(std::move(commands)) {
  new MprisRootAdaptor(this, this);
  new MprisPlayerAdaptor(this, this);
}

MprisService::~MprisService() {
  if (registeredName_.isEmpty()) return;
  bus_.unregisterObject(QString::fromLatin1(kObjectPath));
  bus_.unregisterService(registeredName_);
}

bool MprisService::Register(QDBusConnection bus, const QString& serviceName) {
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
  lastStatus_ = PlaybackStatus();
  lastMetadata_ = Metadata();
  return true;
}

QString MprisService::PlaybackStatus() const {
  if (s_.PlayState != 1) return QStringLiteral("Stopped");
  int32_t position = 0;
  return d_.vbmp3_getState(position) == 2 ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

QVariantMap MprisService::Metadata() const {
  QVariantMap map;
  if (s_.PlayState != 1 || s_.ListPos < 1 || s_.ListPos > s_.ListCount) return map;
  const int pos = s_.ListPos;
  const TagRecord& tag = s_.ListTag[pos];
  const QString file = s_.ListFile[pos];
  QString title = s_.SongTitle;
  QString artist = s_.SongArtist;
  if (title.isEmpty()) {
    title = QString::fromStdString(tag.title).trimmed();
    artist = QString::fromStdString(tag.artist).trimmed();
    if (title.isEmpty()) title = FileNamePart(file);
  }
  map.insert(
      QStringLiteral("mpris:trackid"),
      QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/sorvane/track/%1").arg(pos))));
  map.insert(QStringLiteral("mpris:length"), qlonglong(s_.ListInfo[pos].length) * 1000000);
  map.insert(QStringLiteral("xesam:title"), title);
  if (!artist.isEmpty()) map.insert(QStringLiteral("xesam:artist"), QStringList{artist});
  const QString album =
      s_.SongProgram.isEmpty() ? QString::fromStdString(tag.album) : s_.SongProgram;
  if (!album.isEmpty()) map.insert(QStringLiteral("xesam:album"), album);
  map.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(file).toString());
  return map;
}

qlonglong MprisService::PositionMicroseconds() const {
  if (s_.PlayState != 1) return 0;
  int32_t position = 0;
  d_.vbmp3_getState(position);
  return qlonglong(position) * 1000000;
}

void MprisService::Refresh() {
  if (registeredName_.isEmpty()) return;
  QVariantMap changed;
  const QString status = PlaybackStatus();
  if (status != lastStatus_) changed.insert(QStringLiteral("PlaybackStatus"), status);
  const QVariantMap metadata = Metadata();
  if (metadata != lastMetadata_) changed.insert(QStringLiteral("Metadata"), metadata);
  lastStatus_ = status;
  lastMetadata_ = metadata;
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
