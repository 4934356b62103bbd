#pragma once
// The two D-Bus interfaces of MPRIS 2, answering from MprisService.
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace sorv {

class MprisService;

class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ CanQuit)
  Q_PROPERTY(bool CanRaise READ CanRaise)
  Q_PROPERTY(bool HasTrackList READ HasTrackList)
  Q_PROPERTY(QString Identity READ Identity)
  Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

 public:
  MprisRootAdaptor(MprisService* service, QObject* object);
  bool CanQuit() const { return true; }
  bool CanRaise() const { return true; }
  bool HasTrackList() const { return false; }
  QString Identity() const { return QStringLiteral("そるばね"); }
  QString DesktopEntry() const { return QStringLiteral("sorvane"); }
  QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
  QStringList SupportedMimeTypes() const {
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mp3"),
            QStringLiteral("audio/x-mpegurl")};
  }

 public slots:
  void Raise();
  void Quit();

 private:
  MprisService* service_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
  Q_PROPERTY(QVariantMap Metadata READ Metadata)
  Q_PROPERTY(qlonglong Position READ Position)
  Q_PROPERTY(double Rate READ Rate)
  Q_PROPERTY(double MinimumRate READ Rate)
  Q_PROPERTY(double MaximumRate READ Rate)
  Q_PROPERTY(double Volume READ Volume WRITE setVolume)
  Q_PROPERTY(QString LoopStatus READ LoopStatus WRITE setLoopStatus)
  Q_PROPERTY(bool Shuffle READ Shuffle WRITE setShuffle)
  Q_PROPERTY(bool CanGoNext READ CanControl)
  Q_PROPERTY(bool CanGoPrevious READ CanControl)
  Q_PROPERTY(bool CanPlay READ CanControl)
  Q_PROPERTY(bool CanPause READ CanControl)
  Q_PROPERTY(bool CanSeek READ CanControl)
  Q_PROPERTY(bool CanControl READ CanControl)

 public:
  MprisPlayerAdaptor(MprisService* service, QObject* object);
  QString PlaybackStatus() const;
  QVariantMap Metadata() const;
  qlonglong Position() const;
  double Rate() const { return 1.0; }
  double Volume() const;
  void setVolume(double volume);
  QString LoopStatus() const;
  // "None" or "Playlist"; the player has no loop of one track, so "Track" changes nothing.
  void setLoopStatus(const QString& status);
  bool Shuffle() const;
  void setShuffle(bool on);
  bool CanControl() const { return true; }

 public slots:
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  void Seek(qlonglong offsetMicroseconds);
  void SetPosition(const QDBusObjectPath& track, qlonglong positionMicroseconds);

 signals:
  void Seeked(qlonglong positionMicroseconds);

 private:
  MprisService* service_;
};

}  // namespace sorv
