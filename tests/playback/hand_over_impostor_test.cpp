// Another local user on the hand-over channel: neither end talks to it. Needs root to act as
// that user; skipped otherwise.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

#include "core/session/HandOver.h"

namespace sorv::test {
namespace {

uid_t OtherUser() {
  const passwd* nobody = ::getpwnam("nobody");
  return nobody ? nobody->pw_uid : 65534;
}

sockaddr_un Address(const QString& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path - 1);
  return address;
}

// Runs body in a child that has become the other user (system calls only: the parent has
// threads); its exit code, or -1.
int RunAsOtherUser(const std::function<int()>& body) {
  const uid_t other = OtherUser();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(other) != 0 || ::setuid(other) != 0) ::_exit(99);
    ::_exit(body());
  }
  int status = 0;
  QElapsedTimer clock;
  clock.start();
  while (::waitpid(child, &status, WNOHANG) == 0 && clock.elapsed() < 20000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class HandOverImpostor : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root; not tested";
  }
};

// The impostor holds the lock and listens on the running copy's socket name as itself: a
// starting copy tells it nothing.
TEST_F(HandOverImpostor, StartingCopyTellsAListenerOfAnotherUserNothing) {
  QTemporaryDir dir;
  const QString name = dir.filePath("sorvane-test");
  const QByteArray lockPath = QFile::encodeName(name + ".lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const sockaddr_un address = Address(name);
  const uid_t other = OtherUser();
  const pid_t impostor = ::fork();
  if (impostor == 0) {
    ::alarm(60);
    const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::flock(lock, LOCK_EX) != 0 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::_exit(98);
    }
    ::chmod(address.sun_path, 0777);
    if (::setgid(other) != 0 || ::setuid(other) != 0) ::_exit(99);
    ::listen(fd, 64);
    (void)!::write(ready[1], "r", 1);
    const int peer = ::accept(fd, nullptr, nullptr);
    timeval wait{5, 0};
    ::setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char byte = 0;
    ::_exit(::read(peer, &byte, 1) > 0 ? 1 : 0);  // 1: it learnt something
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the impostor did not start";
  HandOverServer server(name);
  // The impostor ends once the copy left it; the lock is free then and the copy runs.
  EXPECT_TRUE(becomeRunningCopy(server, "/secret/song.mp3"));
  int status = 0;
  ::waitpid(impostor, &status, 0);
  EXPECT_TRUE(WIFEXITED(status)) << "the impostor did not end";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the impostor was told the path";
}

// Even with the socket file opened to everyone, the running copy takes nothing from another user.
TEST_F(HandOverImpostor, RunningCopyRefusesAnotherUsersCommand) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)));
  const QString name = dir.filePath("sorvane-test");
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  ASSERT_TRUE(QFile::setPermissions(name, QFile::Permissions(0x7777)));
  QStringList received;
  QObject::connect(&server, &HandOverServer::commandReceived,
                   [&received](const QString& command) { received << command; });
  const sockaddr_un address = Address(name);
  QByteArray message;
  QDataStream(&message, QIODevice::WriteOnly) << quint32(9);
  message += "/evil.mp3";
  const int answer = RunAsOtherUser([&] {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return 2;
    (void)!::write(fd, message.constData(), message.size());
    timeval wait{3, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char ack = 0;
    return ::read(fd, &ack, 1) == 1 ? 0 : 1;
  });
  EXPECT_EQ(answer, 1) << "0: the command was taken; 2: the socket could not be reached";
  EXPECT_TRUE(received.isEmpty());
}

}  // namespace
}  // namespace sorv::test
