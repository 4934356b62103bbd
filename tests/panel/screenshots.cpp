// Pictures of the main panel for the documentation: panel_screenshots OUTDIR DEMOHOME paints the
// panel while the first demo song plays (OUTDIR/panel-playing.png) and with the highlight of a
// hot spot (OUTDIR/panel-highlight.png). DEMOHOME is a folder made by demo/prepare.sh.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

#include "core/Fonts.h"
#include "decoder/Vbmp3Engine.h"
#include "panel/info/SongInfo.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "panel/window/MnPnl.h"
#include "tests/panel/PanelTestView.h"

namespace {

// Lets the song play for a while with the scope and lyric tick running as on screen.
void PlayFor(sorv::MnPnl& panel, int milliseconds) {
  QElapsedTimer played;
  played.start();
  while (played.elapsed() < milliseconds) {
    panel.Timer3_Timer();
    QCoreApplication::processEvents();
    QThread::msleep(70);
  }
  panel.Timer2_Timer();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTDIR DEMOHOME\n", argv[0]);
    return 2;
  }
  sorv::RegisterFontSubstitutions();
  const QString out = QString::fromLocal8Bit(argv[1]) + "/";
  const QString home = QString::fromLocal8Bit(argv[2]) + "/";

  sorv::State s;
  s.SetDefaults(home);
  s.WorkPath = home;
  s.PathDir[5] = home;
  s.PathDir[6] = home + "songs/";
  s.VerNo = QStringLiteral("1.14");
  s.DispMode = 1;
  s.DbState = 1;
  s.LoopMode = 1;
  sorv::Vbmp3Engine engine;
  if (engine.vbmp3_init() == 0) return 1;
  sorv::test::PanelTestView view;
  sorv::MnPnl panel(s, engine, view);
  view.Attach(panel);
  panel.Timer2().stop();
  panel.Timer3().stop();
  panel.Equalizer().StartUp();
  view.LoopShuffleOnOff();
  view.SetSelectionAvailable(true);
  const QStringList songs{home + "songs/hoshizora_opening.mp3", home + "songs/kaze_no_ending.mp3",
                          home + "songs/quest_theme.mp3"};
  s.ResizeList(songs.size());
  for (int i = 1; i <= songs.size(); ++i) {
    s.ListFile[i] = songs[i - 1];
    s.ListExt[i] = QStringLiteral("mp3");
  }
  s.ListCount = static_cast<int16_t>(songs.size());
  s.ListPos = 1;
  panel.show();
  panel.btn_Click(sorv::panel::kPlay);
  if (s.PlayState != 1) return 1;
  PlayFor(panel, 6000);
  panel.Timer4_Timer();
  if (!panel.grab().save(out + "panel-playing.png")) return 1;
  panel.ttlbar_MouseDown(Qt::LeftButton, Qt::NoModifier, 5180, 1560);
  if (!panel.grab().save(out + "panel-highlight.png")) return 1;
  engine.vbmp3_free();
  return 0;
}
