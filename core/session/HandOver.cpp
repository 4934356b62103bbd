#include "core/session/HandOver.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStringList>

namespace sorv {

namespace {

constexpr int kWaitMs = 1000;
// A command line is one path; anything longer is not ours.
constexpr quint32 kMaxCommandBytes = 1 << 20;
const char kAck = '1';

QString userName() {
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
}

}  // namespace

QString handOverServerName(const QString& user) {
  const QString key = QStringLiteral("そるばね|FormM|") + (user.isEmpty() ? userName() : user);
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256);
  return QStringLiteral("sorvane-") + QString::fromLatin1(hash.toHex().left(24));
}

HandOverServer::HandOverServer(const QString& name, QObject* parent) : QObject(parent) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  // A socket left behind by a copy that crashed would block the name.
  if (!server_.listen(name) && server_.serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(name);
    server_.listen(name);
  }
  connect(&server_, &QLocalServer::newConnection, this, &HandOverServer::takeConnection);
}

// Reads a length-prefixed message as it arrives; answers with one byte once it is whole.
void HandOverServer::readCommand(QLocalSocket* socket) {
  if (socket->bytesAvailable() < 4) return;
  quint32 size = 0;
  QDataStream(socket->peek(4)) >> size;
  if (size > kMaxCommandBytes) {
    socket->abort();
    return;
  }
  if (socket->bytesAvailable() < 4 + qint64(size)) return;
  socket->read(4);
  const QString command = QString::fromUtf8(socket->read(size));
  socket->write(&kAck, 1);
  socket->flush();
  socket->disconnectFromServer();
  emit commandReceived(command);
}

void HandOverServer::takeConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommand(socket); });
    readCommand(socket);
  }
}

bool sendToRunningCopy(const QString& commandLine, const QString& name) {
  QDeadlineTimer deadline(kWaitMs);
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(int(deadline.remainingTime()))) return false;
  const QByteArray bytes = commandLine.toUtf8();
  QByteArray message;
  QDataStream(&message, QIODevice::WriteOnly) << quint32(bytes.size());
  message += bytes;
  socket.write(message);
  socket.waitForBytesWritten(int(std::max<qint64>(0, deadline.remainingTime())));
  while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState &&
         socket.waitForReadyRead(int(std::max<qint64>(0, deadline.remainingTime())))) {
  }
  socket.abort();
  return true;
}

}  // namespace sorv
