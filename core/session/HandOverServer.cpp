#include "core/session/HandOverServer.h"

#include <sys/stat.h>

#include <QDataStream>
#include <QFile>

namespace sorv {

namespace {

// A command line is one path, perhaps quoted; anything longer is not ours.
constexpr quint32 kMaxCommandBytes = 16 * 1024;
// Copies that connect at once are few; more open connections than this are someone's attack,
// and the oldest goes so the program never runs out of file descriptors.
constexpr int kMaxConnections = 8;
// A second copy sends at once; a connection that stays silent this long is dropped.
constexpr int kIdleMs = 2000;
constexpr int kWatchMs = 1000;
const char kAck = '1';

ino_t socketInode(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode)) return 0;
  return info.st_ino;
}

}  // namespace

HandOverServer::HandOverServer(const QString& name, QObject* parent)
    : QObject(parent), name_(name), lock_(name + QStringLiteral(".lock")) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.setMaxPendingConnections(kMaxConnections);
  connect(&server_, &QLocalServer::newConnection, this, &HandOverServer::takeConnections);
  connect(&watch_, &QTimer::timeout, this, &HandOverServer::keepListening);
}

HandOverServer::~HandOverServer() {
  // The open connections end with the server, after this object's own members: they must not
  // call back into it then.
  for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) socket->disconnect(this);
}

bool HandOverServer::claim() {
  if (name_.isEmpty()) return true;
  if (!lock_.tryLock()) return false;
  if (!server_.isListening()) listen();
  watch_.start(kWatchMs);
  return true;
}

bool HandOverServer::listen() {
  server_.close();
  QLocalServer::removeServer(name_);
  socketInode_ = server_.listen(name_) ? socketInode(name_) : 0;
  return socketInode_ != 0;
}

void HandOverServer::keepListening() {
  if (!lock_.isLocked()) return;
  if (server_.isListening() && socketInode_ != 0 && socketInode(name_) == socketInode_) return;
  listen();
}

void HandOverServer::takeConnections() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    if (!peerIsSameUser(socket->socketDescriptor())) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    connections_.append(socket);
    if (connections_.size() > kMaxConnections) drop(connections_.first());
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommand(socket); });
    QTimer::singleShot(kIdleMs, socket, [this, socket] { drop(socket); });
    readCommand(socket);
  }
  keepListening();
}

void HandOverServer::drop(QLocalSocket* socket) {
  if (!connections_.removeOne(socket)) return;
  socket->abort();
  socket->deleteLater();
}

// Reads a length-prefixed message as it arrives; answers with one byte once it is whole.
void HandOverServer::readCommand(QLocalSocket* socket) {
  if (!connections_.contains(socket) || socket->bytesAvailable() < 4) return;
  quint32 size = 0;
  QDataStream(socket->peek(4)) >> size;
  if (size > kMaxCommandBytes) {
    drop(socket);
    return;
  }
  if (socket->bytesAvailable() < 4 + qint64(size)) return;
  socket->read(4);
  const QString command = QString::fromUtf8(socket->read(size));
  socket->write(&kAck, 1);
  socket->flush();  // into the kernel's buffer: the answer outlives the socket
  drop(socket);
  deliver(command);
}

void HandOverServer::deliver(const QString& command) {
  pending_ = command;
  if (delivering_) return;
  delivering_ = true;
  while (pending_) emit commandReceived(*std::exchange(pending_, std::nullopt));
  delivering_ = false;
}

}  // namespace sorv
