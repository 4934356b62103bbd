#include "core/session/HandOver.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStringList>
#include <QThread>

#include "core/Paths.h"

namespace sorv {

namespace {

constexpr int kWaitMs = 1000;
// A copy that holds the lock is between taking it and listening, or busy starting: it is given
// this long to answer before the new copy gives up and ends.
constexpr int kClaimMs = 10000;

}  // namespace

bool sendToRunningCopy(const QString& commandLine, const QString& name) {
  QDeadlineTimer deadline(kWaitMs);
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(int(deadline.remainingTime()))) return false;
  // Whoever answers on that name must be this user: anyone else would learn what we play.
  if (!peerIsSameUser(socket.socketDescriptor())) return false;
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

bool becomeRunningCopy(HandOverServer& server, const QString& commandLine) {
  const QString command = absoluteCommandLine(commandLine, QDir::currentPath());
  const QDeadlineTimer deadline(kClaimMs);
  while (!server.claim()) {
    if (sendToRunningCopy(command, server.name()) || deadline.hasExpired()) return false;
    QThread::msleep(10);
  }
  return true;
}

}  // namespace sorv
