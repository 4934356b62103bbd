// The player's entry point: one copy per user, the real engine, the windows.
#include <QApplication>

#include "app/sorvane/CommandLine.h"
#include "app/sorvane/Program.h"
#include "core/Fonts.h"
#include "decoder/Vbmp3Engine.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorvane"));
  QApplication::setOrganizationName(QStringLiteral("Sorvane"));
  // The program ends with its shut-down, not with its last visible window: the panel hides
  // while the bar is shown.
  QApplication::setQuitOnLastWindowClosed(false);
  sorv::RegisterFontSubstitutions();

  sorv::Vbmp3Engine engine;
  sorv::Program program(engine);
  QObject::connect(&program, &sorv::Program::finished, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  switch (program.StartUp(sorv::JoinCommandLine(QCoreApplication::arguments()))) {
    case sorv::Program::Start::Running:
      return QApplication::exec();
    case sorv::Program::Start::HandedOver:
      return 0;
    case sorv::Program::Start::EngineFailed:
      return 1;
  }
  return 0;
}
