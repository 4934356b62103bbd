// A second copy in miniature: offers its command line to the copy listening under a name and
// reports by its exit code whether one was running (0) or not (1).
#include <QCoreApplication>

#include "core/session/HandOver.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) return 2;
  return sorv::sendToRunningCopy(args.size() > 2 ? args[2] : QString(), args[1]) ? 0 : 1;
}
