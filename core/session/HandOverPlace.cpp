#include "core/session/HandOverPlace.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>

namespace sorv {

namespace {

QString userName() {
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
}

// A real folder (not a link) of ours that neither the group nor others may use.
bool isPrivateFolder(const QString& path) {
  struct stat info {};
  return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
         S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

QString handOverFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (isPrivateFolder(runtime)) return runtime;
  const QString own = QDir::tempPath() + QStringLiteral("/sorvane-%1").arg(::geteuid());
  // mkdir fails on a name that is taken; whoever took it must be us, with the folder closed.
  ::mkdir(QFile::encodeName(own).constData(), 0700);
  return isPrivateFolder(own) ? own : QString();
}

QString handOverServerName(const QString& user) {
  const QString folder = handOverFolder();
  if (folder.isEmpty()) return {};
  const QString key = QStringLiteral("そるばね|FormM|") + (user.isEmpty() ? userName() : user);
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256);
  return folder + QStringLiteral("/sorvane-") + QString::fromLatin1(hash.toHex().left(24));
}

bool peerIsSameUser(qintptr socketDescriptor) {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         size == sizeof peer && peer.uid == ::geteuid();
}

}  // namespace sorv
