// Renders the bar while a song plays, and the lyrics window, to PNG files for the docs:
//   bar_screenshots OUTDIR bar-wide|bar-narrow|lyrics-window
// The bar takes the width of the screen's work area, so the wide and narrow shots are made on
// screens of those widths (run_screenshots.sh does both under Xvfb).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include "bar/Bar.h"
#include "bar/frmLyric.h"
#include "core/Fonts.h"
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"

namespace {

void Settle() {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void PlayingSong(sorv::State& s) {
  s.VerNo = "1.14";
  s.ResizeList(6);
  s.ListCount = 6;
  s.ListPos = 1;
  s.PlayState = 1;
  s.DispMode = 2;
  s.SongTitle = QStringLiteral("星空のオーバーチュア");
  s.SongArtist = QStringLiteral("水無月しずく");
  s.SongProgram = QStringLiteral("銀河鉄道アルカディア");
  s.SongGenre = "255";
  s.SongAnimeKind = "1";
  s.LoopMode = 1;
}

bool ShootBar(const QString& file) {
  sorv::State s;
  PlayingSong(s);
  sorv::test::FakeDecoder d;
  sorv::test::FakeView v;
  sorv::Bar bar(s, d, v);
  bar.MCheck().stop();
  bar.ShowBar();
  bar.PlaceBar(0);
  bar.SetTime("0:42 / 1:05");
  sorv::PictureArea& strip = bar.TimeBar();
  strip.Cls();
  strip.FilledBox(0, 0, 42.0 / 65 * strip.scaleWidth(), strip.scaleHeight(), strip.foreColor());
  Settle();
  return bar.grab().save(file);
}

bool ShootLyrics(const QString& file) {
  sorv::State s;
  sorv::test::FakeDecoder d;
  sorv::frmLyric window(s, d);
  window.resize(480, 220);
  window.Open();
  window.SetLines({QStringLiteral("遠い銀河の果てまで"), QStringLiteral("君と二人で行こう"),
                   QStringLiteral("星空のオーバーチュア 今はじまる"),
                   QStringLiteral("光のレールをたどって"), QStringLiteral("夜明けの駅へ")});
  Settle();
  return window.grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorv::RegisterFontSubstitutions();
  if (argc < 3) {
    qWarning("usage: bar_screenshots OUTDIR bar-wide|bar-narrow|lyrics-window");
    return 2;
  }
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QString file = QDir(QString::fromLocal8Bit(argv[1])).filePath(name + ".png");
  const bool saved = name == "lyrics-window" ? ShootLyrics(file) : ShootBar(file);
  if (!saved) qWarning("could not write %s", qPrintable(file));
  return saved ? 0 : 1;
}
