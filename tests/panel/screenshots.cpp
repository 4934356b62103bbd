// Pictures of the main panel for the documentation: panel_screenshots OUTDIR DEMOHOME paints the
// panel while the first demo song plays (OUTDIR/panel-playing.png) and with the highlight of a
// hot spot (OUTDIR/panel-highlight.png). DEMOHOME is a folder made by demo/prepare.sh.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

#include "core/Fonts.h"
#include "decoder/ThreadedAudioEngine.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "panel/window/MainPanel.h"
#include "playback/SongInfo.h"
#include "tests/panel/PanelTestView.h"

namespace {

// Lets the song play for a while with the scope and lyric tick running as on screen.
void playFor(sorv::MainPanel& panel, int milliseconds) {
  QElapsedTimer played;
  played.start();
  while (played.elapsed() < milliseconds) {
    panel.scopeTick();
    QCoreApplication::processEvents();
    QThread::msleep(70);
  }
  panel.clockTick();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTDIR DEMOHOME\n", argv[0]);
    return 2;
  }
  sorv::registerFontSubstitutions();
  const QString out = QString::fromLocal8Bit(argv[1]) + "/";
  const QString home = QString::fromLocal8Bit(argv[2]) + "/";

  sorv::State s;
  s.setDefaults(home);
  s.workPath = home;
  s.pathDir[5] = home;
  s.pathDir[6] = home + "songs/";
  s.verNo = QStringLiteral("1.14");
  s.dispMode = sorv::DisplayMode::Panel;
  s.dbState = sorv::SongDbState::Open;
  s.loopMode = 1;
  sorv::ThreadedAudioEngine engine;
  if (engine.init() == 0) return 1;
  sorv::test::PanelTestView view;
  sorv::Player player(s, engine, view);
  sorv::MainPanel panel(player);
  view.attach(panel);
  panel.clockTimer().stop();
  panel.scopeTimer().stop();
  panel.equalizer().restoreSaved();
  view.loopShuffleOnOff();
  view.setSelectionAvailable(true);
  const QStringList songs{home + "songs/hoshizora_opening.mp3", home + "songs/kaze_no_ending.mp3",
                          home + "songs/quest_theme.mp3"};
  s.resizeList(songs.size());
  for (int i = 1; i <= songs.size(); ++i) {
    s.entry(i).file = songs[i - 1];
    s.entry(i).extension = QStringLiteral("mp3");
  }
  s.listCount = songs.size();
  s.listPos = 1;
  panel.show();
  panel.runCommand(sorv::panel::kPlay);
  if (s.playState != 1) return 1;
  playFor(panel, 6000);
  panel.highlightTick();
  if (!panel.grab().save(out + "panel-playing.png")) return 1;
  panel.titleBarMouseDown(Qt::LeftButton, Qt::NoModifier, 5180, 1560);
  if (!panel.grab().save(out + "panel-highlight.png")) return 1;
  engine.release();
  return 0;
}
