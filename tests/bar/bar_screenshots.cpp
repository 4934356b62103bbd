// Renders the bar while a song plays, and the lyrics window, to PNG files for the docs:
//   bar_screenshots OUTDIR bar-wide|bar-narrow|lyrics-window
// The bar takes the width of the screen's work area, so the wide and narrow shots are made on
// screens of those widths (run_screenshots.sh does both under Xvfb).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include "bar/CompactBar.h"
#include "bar/LyricsWindow.h"
#include "core/Fonts.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"

namespace {

void settle() {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void playingSong(sorv::State& s) {
  s.verNo = "1.14";
  s.resizeList(6);
  s.listCount = 6;
  s.listPos = 1;
  s.playState = 1;
  s.dispMode = 2;
  s.songTitle = QStringLiteral("星空のオーバーチュア");
  s.songArtist = QStringLiteral("水無月しずく");
  s.songProgram = QStringLiteral("銀河鉄道アルカディア");
  s.songGenre = "255";
  s.songAnimeKind = "1";
  s.loopMode = 1;
}

bool shootBar(const QString& file) {
  sorv::State s;
  playingSong(s);
  sorv::test::FakeEngine d;
  sorv::test::FakeView v;
  sorv::Player player(s, d, v);
  sorv::CompactBar bar(player);
  bar.pointerCheckTimer().stop();
  bar.showBar();
  bar.placeBar(0);
  bar.setTime("0:42 / 1:05");
  sorv::PictureArea& strip = bar.timeBar();
  strip.cls();
  strip.filledBox(0, 0, 42.0 / 65 * strip.scaleWidth(), strip.scaleHeight(), strip.foreColor());
  settle();
  return bar.grab().save(file);
}

bool shootLyrics(const QString& file) {
  sorv::State s;
  sorv::test::FakeEngine d;
  sorv::LyricsWindow window(s, d);
  window.resize(480, 220);
  window.open();
  window.setLines({QStringLiteral("遠い銀河の果てまで"), QStringLiteral("君と二人で行こう"),
                   QStringLiteral("星空のオーバーチュア 今はじまる"),
                   QStringLiteral("光のレールをたどって"), QStringLiteral("夜明けの駅へ")});
  settle();
  return window.grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorv::registerFontSubstitutions();
  if (argc < 3) {
    qWarning("usage: bar_screenshots OUTDIR bar-wide|bar-narrow|lyrics-window");
    return 2;
  }
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QString file = QDir(QString::fromLocal8Bit(argv[1])).filePath(name + ".png");
  const bool saved = name == "lyrics-window" ? shootLyrics(file) : shootBar(file);
  if (!saved) qWarning("could not write %s", qPrintable(file));
  return saved ? 0 : 1;
}
