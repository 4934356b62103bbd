#include "core/mpris/MprisAdaptors.h"

#include "core/mpris/Mpris.h"

namespace sorv {

namespace {

void run(const std::function<void()>& command) {
  if (command) command();
}

}  // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService* service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

void MprisRootAdaptor::Raise() {
  run(service_->Commands().raise);
}

void MprisRootAdaptor::Quit() {
  run(service_->Commands().quit);
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service, QObject* object)
    : QDBusAbstractAdaptor(object), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
  return service_->PlaybackStatus();
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
  return service_->Metadata();
}

qlonglong MprisPlayerAdaptor::Position() const {
  return service_->PositionMicroseconds();
}

void MprisPlayerAdaptor::Play() {
  if (service_->PlaybackStatus() != QLatin1String("Playing")) run(service_->Commands().play);
  service_->Refresh();
}

void MprisPlayerAdaptor::Pause() {
  if (service_->PlaybackStatus() == QLatin1String("Playing")) run(service_->Commands().pause);
  service_->Refresh();
}

void MprisPlayerAdaptor::PlayPause() {
  if (service_->PlaybackStatus() == QLatin1String("Playing")) {
    Pause();
  } else {
    Play();
  }
}

void MprisPlayerAdaptor::Stop() {
  run(service_->Commands().stop);
  service_->Refresh();
}

void MprisPlayerAdaptor::Next() {
  run(service_->Commands().next);
  service_->Refresh();
}

void MprisPlayerAdaptor::Previous() {
  run(service_->Commands().previous);
  service_->Refresh();
}

void MprisPlayerAdaptor::Seek(qlonglong offsetMicroseconds) {
  if (service_->PlaybackStatus() == QLatin1String("Stopped") || !service_->Commands().seek) return;
  const qlonglong target =
      std::max<qlonglong>(0, service_->PositionMicroseconds() + offsetMicroseconds);
  service_->Commands().seek(static_cast<int32_t>(target / 1000000));
  emit Seeked(target);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& track, qlonglong positionMicroseconds) {
  const QVariant current = service_->Metadata().value(QStringLiteral("mpris:trackid"));
  if (!current.isValid() || current.value<QDBusObjectPath>() != track) return;
  if (positionMicroseconds < 0 || !service_->Commands().seek) return;
  service_->Commands().seek(static_cast<int32_t>(positionMicroseconds / 1000000));
  emit Seeked(positionMicroseconds);
}

}  // namespace sorv
