// Renders the options dialog, a folder picker, the export window mid-way and the about box to
// PNG files in the folder named by the first argument.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>

#include "core/Fonts.h"
#include "core/Messages.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tools/AboutBox.h"
#include "tools/FolderPickers.h"
#include "tools/OptionsDialog.h"
#include "tools/WavExportWindow.h"

namespace {

void save(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  // The folder list fills in the background.
  QDeadlineTimer settle(500);
  while (!settle.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
  window.grab().save(QDir(folder).filePath(name));
}

void exportMidway(sorv::State& s, sorv::test::FakeEngine& d, sorv::test::FakeView& v,
                  const QString& folder) {
  const QStringList songs{"/music/anime/opening.mp3", "/music/anime/ending.mp3",
                          "/music/game/theme.mp3"};
  for (const QString& song : songs) d.streams[song.toStdString()].length = 240;
  sorv::Player player(s, d, v);
  sorv::WavExportWindow window(player, [songs] { return songs; });
  window.dir1().setPath(QDir::homePath());
  window.runCommand(0);
  for (int tick = 0; tick < 3; ++tick) {
    window.startDelayTick();
    d.engineState = 0;
  }
  window.startDelayTick();
  window.startDelayTick();
  d.position = 150;
  window.startDelayTick();
  save(window, folder, "export.png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorv::registerFontSubstitutions();
  sorv::setMessageHandler([](const QString&) {});
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  sorv::State s;
  s.verNo = QStringLiteral("1.14");
  s.workPath = QDir::homePath() + "/";
  s.setDefaults(QDir::homePath() + "/");
  sorv::test::FakeEngine d;
  d.versionNumber = 254;
  sorv::test::FakeView v;
  sorv::Player player(s, d, v);
  sorv::OptionsDialog options(player);
  save(options, folder, "options.png");
  sorv::GeneralFolderPicker picker(QStringLiteral("/usr/share"));
  save(picker, folder, "folder-picker.png");
  exportMidway(s, d, v, folder);
  sorv::AboutBox about(s, d);
  save(about, folder, "about.png");
  return 0;
}
