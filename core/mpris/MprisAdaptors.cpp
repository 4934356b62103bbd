#include "core/mpris/MprisAdaptors.h"

#include "core/mpris/MprisService.h"

namespace sorv {

namespace {

void run(const std::function<void()>& command) {
  if (command) command();
}

}  // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService* service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

void MprisRootAdaptor::Raise() {
  run(service_->commands().raise);
}

void MprisRootAdaptor::Quit() {
  run(service_->commands().quit);
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
  return service_->playbackStatus();
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
  return service_->metadata();
}

qlonglong MprisPlayerAdaptor::Position() const {
  return service_->positionMicroseconds();
}

double MprisPlayerAdaptor::Volume() const {
  return service_->volume();
}

void MprisPlayerAdaptor::setVolume(double volume) {
  if (service_->commands().setVolume)
    service_->commands().setVolume(MprisService::volumeLevel(volume));
  service_->refresh();
}

QString MprisPlayerAdaptor::LoopStatus() const {
  return service_->loopStatus();
}

void MprisPlayerAdaptor::setLoopStatus(const QString& status) {
  const bool on = status == QLatin1String("Playlist");
  if ((on || status == QLatin1String("None")) && service_->commands().setLoop)
    service_->commands().setLoop(on);
  service_->refresh();
}

bool MprisPlayerAdaptor::Shuffle() const {
  return service_->shuffle();
}

void MprisPlayerAdaptor::setShuffle(bool on) {
  if (service_->commands().setShuffle) service_->commands().setShuffle(on);
  service_->refresh();
}

void MprisPlayerAdaptor::Play() {
  if (service_->playbackStatus() != QLatin1String("Playing")) run(service_->commands().play);
  service_->refresh();
}

void MprisPlayerAdaptor::Pause() {
  if (service_->playbackStatus() == QLatin1String("Playing")) run(service_->commands().pause);
  service_->refresh();
}

void MprisPlayerAdaptor::PlayPause() {
  if (service_->playbackStatus() == QLatin1String("Playing")) {
    Pause();
  } else {
    Play();
  }
}

void MprisPlayerAdaptor::Stop() {
  run(service_->commands().stop);
  service_->refresh();
}

void MprisPlayerAdaptor::Next() {
  run(service_->commands().next);
  service_->refresh();
}

void MprisPlayerAdaptor::Previous() {
  run(service_->commands().previous);
  service_->refresh();
}

void MprisPlayerAdaptor::Seek(qlonglong offsetMicroseconds) {
  if (service_->playbackStatus() == QLatin1String("Stopped") || !service_->commands().seek) return;
  const qlonglong target =
      std::max<qlonglong>(0, service_->positionMicroseconds() + offsetMicroseconds);
  service_->commands().seek(static_cast<int32_t>(target / 1000000));
  emit Seeked(target);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& track, qlonglong positionMicroseconds) {
  const QVariant current = service_->metadata().value(QStringLiteral("mpris:trackid"));
  if (!current.isValid() || current.value<QDBusObjectPath>() != track) return;
  if (positionMicroseconds < 0 || !service_->commands().seek) return;
  service_->commands().seek(static_cast<int32_t>(positionMicroseconds / 1000000));
  emit Seeked(positionMicroseconds);
}

}  // namespace sorv
