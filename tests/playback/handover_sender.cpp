// A second copy in miniature. "NAME [COMMAND]": offers the command line to the copy listening
// under NAME and reports by its exit code whether one took it (0) or not (1).
// "--become NAME COMMAND COUNT": starts as the real program does; the copy that becomes the
// running one prints each command line handed to it, one a line, until COUNT came or ten
// seconds passed, and ends with 3; a copy that handed its command line over ends with 0.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "core/session/HandOver.h"

namespace {

int Become(const QString& name, const QString& command, int count) {
  sorv::HandOverServer server(name);
  if (!sorv::becomeRunningCopy(server, command)) return 0;
  int received = 0;
  QObject::connect(&server, &sorv::HandOverServer::commandReceived, [&](const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
    ++received;
  });
  QElapsedTimer clock;
  clock.start();
  while (received < count && clock.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 5 && args[1] == QLatin1String("--become")) {
    return Become(args[2], args[3], args[4].toInt());
  }
  if (args.size() < 2) return 2;
  return sorv::sendToRunningCopy(args.size() > 2 ? args[2] : QString(), args[1]) ? 0 : 1;
}
