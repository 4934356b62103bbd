// The player's entry point: one copy per user, the real engine, the windows.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/sorvane/CommandLine.h"
#include "app/sorvane/DisplayChoice.h"
#include "app/sorvane/EndRequests.h"
#include "app/sorvane/Program.h"
#include "core/Fonts.h"
#include "core/LocalNames.h"
#include "core/State.h"
#include "decoder/ThreadedAudioEngine.h"

namespace {

// --version and --help answer on the terminal and end; they are never handed to a running copy.
bool answerInformationOption(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("sorvane %s\n", sorv::kVersionText);
    return true;
  }
  if (std::strcmp(argv[1], "--help") == 0) {
    std::printf(
        "usage: sorvane [SONG | LIST.m3u]\n"
        "Plays the file or play list, or the saved play list when started without one.\n"
        "A second copy hands its file to the copy that runs already and ends.\n"
        "  --version  print the version and end\n"
        "  --help     print this text and end\n");
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (answerInformationOption(argc, argv)) return 0;
  if (!sorv::chooseDisplayPlatform()) return 2;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorvane"));
  QApplication::setOrganizationName(QStringLiteral("Sorvane"));
  // The program ends with its shut-down, not with its last visible window: the panel hides
  // while the bar is shown.
  QApplication::setQuitOnLastWindowClosed(false);
  sorv::registerFontSubstitutions();

  sorv::ThreadedAudioEngine engine;
  sorv::Program program(engine);
  QObject::connect(&program, &sorv::Program::finished, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  sorv::EndRequests endRequests;
  QObject::connect(&endRequests, &sorv::EndRequests::requested, &program,
                   &sorv::Program::closeOnRequest);
  switch (program.startUp(sorv::joinCommandLine(sorv::commandLineArguments(argc, argv)))) {
    case sorv::Program::Start::Running:
      // An end signal answered inside a start-up message has already shut the program down;
      // its quit was spent on that message's own loop.
      return program.hasShutDown() ? 0 : QApplication::exec();
    case sorv::Program::Start::HandedOver:
      return 0;
    case sorv::Program::Start::EngineFailed:
      return 1;
  }
  return 0;
}
