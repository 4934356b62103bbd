// Renders the options dialog, a folder picker, the export window mid-way and the about box to
// PNG files in the folder named by the first argument.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>

#include "core/Fonts.h"
#include "core/Messages.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"
#include "tools/FolderPickers.h"
#include "tools/frmAPAbout.h"
#include "tools/frmConv.h"
#include "tools/frmOpt.h"

namespace {

void Save(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  // The folder list fills in the background.
  QDeadlineTimer settle(500);
  while (!settle.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
  window.grab().save(QDir(folder).filePath(name));
}

void ExportMidway(sorv::State& s, sorv::test::FakeDecoder& d, sorv::test::FakeView& v,
                  const QString& folder) {
  const QStringList songs{"/music/anime/opening.mp3", "/music/anime/ending.mp3",
                          "/music/game/theme.mp3"};
  for (const QString& song : songs) d.streams[song.toStdString()].length = 240;
  sorv::frmConv window(s, d, v, [songs] { return songs; });
  window.Dir1().setPath(QDir::homePath());
  window.btn_Click(0);
  for (int tick = 0; tick < 3; ++tick) {
    window.Timer1_Timer();
    d.state = 0;
  }
  window.Timer1_Timer();
  window.Timer1_Timer();
  d.position = 150;
  window.Timer1_Timer();
  Save(window, folder, "export.png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorv::RegisterFontSubstitutions();
  sorv::SetMessageHandler([](const QString&) {});
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  sorv::State s;
  s.VerNo = QStringLiteral("1.14");
  s.WorkPath = QDir::homePath() + "/";
  s.SetDefaults(QDir::homePath() + "/");
  sorv::test::FakeDecoder d;
  d.version = 254;
  sorv::test::FakeView v;
  sorv::frmOpt options(s, d, v);
  Save(options, folder, "options.png");
  s.PickedDir = QStringLiteral("/usr/share");
  sorv::SetFolder picker(s);
  Save(picker, folder, "folder-picker.png");
  ExportMidway(s, d, v, folder);
  sorv::frmAPAbout about(s, d);
  Save(about, folder, "about.png");
  return 0;
}
