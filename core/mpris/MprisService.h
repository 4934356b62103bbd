#pragma once
// The player on the desktop's media bus (MPRIS 2): media keys and sound menus see the playing
// song and drive the same commands as the panel. Without a session bus it stays silent.
#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <functional>

#include "core/State.h"
#include "decoder/AudioEngine.h"

namespace sorv {

// The panel's commands, as the desktop may ask for them.
struct MprisCommands {
  std::function<void()> play, pause, stop, next, previous, raise, quit;
  std::function<void(int32_t seconds)> seek;         // to an absolute position
  std::function<void(bool on)> setLoop, setShuffle;  // the lamps, as their clicks set them
  std::function<void(int32_t level)> setVolume;      // both channels, 0..100
};

class MprisService : public QObject {
  Q_OBJECT

 public:
  MprisService(State& s, AudioEngine& d, MprisCommands commands, QObject* parent = nullptr);
  ~MprisService() override;

  // Claims the service name; false (and nothing else) when there is no session bus.
  bool registerOnBus(QDBusConnection bus = QDBusConnection::sessionBus(),
                     const QString& serviceName = QStringLiteral("org.mpris.MediaPlayer2.sorvane"));
  // Tells the bus what changed since the last call; the program calls it once a second and
  // after every command.
  void refresh();

  QString playbackStatus() const;
  QVariantMap metadata() const;
  qlonglong positionMicroseconds() const;
  // The loop lamp as "None" or "Playlist", the shuffle lamp, and the volume of both channels
  // (their mean) in 0.0..1.0.
  QString loopStatus() const;
  bool shuffle() const;
  double volume() const;
  // Volume 0.0..1.0 as a level of both channels, clamped.
  static int32_t volumeLevel(double volume);
  const MprisCommands& commands() const { return commands_; }

 private:
  void emitChanged(const QVariantMap& changed);

  State& s_;
  AudioEngine& d_;
  MprisCommands commands_;
  QDBusConnection bus_{QString()};
  QString registeredName_;
  QString lastStatus_;
  QVariantMap lastMetadata_;
  QString lastLoopStatus_;
  bool lastShuffle_ = false;
  double lastVolume_ = 0;
};

}  // namespace sorv
