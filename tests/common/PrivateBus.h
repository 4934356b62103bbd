#pragma once
// A private session bus for a test: a real dbus-daemon on a socket of its own, and calls to an
// MPRIS service on it that do not block the thread serving it.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>

namespace sorv::test {

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
  QString address() const { return address_; }
  QDBusConnection connect(const QString& name) {
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QProcess daemon_;
  QString address_;
};

// A client of the MPRIS service named service on a bus.
class MprisClient {
 public:
  MprisClient(QDBusConnection connection, QString service)
      : connection_(std::move(connection)), service_(std::move(service)) {}

  QVariantList call(const QString& interface, const QString& method,
                    const QVariantList& args = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(service_, "/org/mpris/MediaPlayer2", interface, method);
    message.setArguments(args);
    QDBusPendingCall pending = connection_.asyncCall(message, 5000);
    while (!pending.isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pending.reply().arguments();
  }
  QVariantList player(const QString& method, const QVariantList& args = {}) {
    return call("org.mpris.MediaPlayer2.Player", method, args);
  }
  QVariant property(const QString& name) {
    const QVariantList reply = call("org.freedesktop.DBus.Properties", "Get",
                                    {QStringLiteral("org.mpris.MediaPlayer2.Player"), name});
    return reply.isEmpty() ? QVariant() : reply[0].value<QDBusVariant>().variant();
  }

 private:
  QDBusConnection connection_;
  QString service_;
};

}  // namespace sorv::test
