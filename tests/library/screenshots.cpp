// Renders the selection window over the demo library, partly ticked, in two orders:
// library_screenshots OUTPUT_FOLDER (writes selection-anime.png and selection-year.png).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "core/Fonts.h"
#include "library/db/SongCsv.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"
#include "library/select/SelectionWindow.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"

namespace {

// The demo songs' files (empty) in a music folder, and the demo database.
void makeDemo(const QString& folder, const QString& music) {
  QFile csv(QStringLiteral(SORV_SOURCE_DIR "/demo/songs.csv"));
  csv.open(QIODevice::ReadOnly);
  const QByteArray bytes = csv.readAll();
  sorv::createSongDb(folder + "sorvdb.mdb");
  sorv::SqlDb db(folder + "sorvdb.mdb");
  sorv::importSongCsv(db, bytes);
  QDir().mkpath(music);
  const auto records = sorv::parseCsv(QString::fromUtf8(bytes));
  for (int i = 1; i < records.size(); ++i) QFile(music + records[i][0]).open(QIODevice::WriteOnly);
  QFile(music + "unregistered_demo.mp3").open(QIODevice::WriteOnly);
}

void tick(sorv::SelectionWindow& window, const QString& key) {
  window.treeMouseUp(Qt::LeftButton, window.tree->findKey(key));
}

void shoot(sorv::SelectionWindow& window, int order, const QString& file) {
  window.sortSel->setCurrentIndex(order);
  window.runCommand(2);
  while (window.searching()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  const QString music = window.dataPath[0]->text();
  tick(window, music + "hoshizora_opening.mp3");
  tick(window, music + "kaze_no_ending.mp3");
  tick(window, music + "henshin_insert.mp3");
  window.tree->setCurrentNode(window.tree->findKey(music + "kaze_no_ending.mp3"));
  window.grab().save(file);
  std::printf("%s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sorv::registerFontSubstitutions();
  const QString out =
      QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath();
  QTemporaryDir dir;
  const QString folder = dir.path() + "/", music = folder + "music/";
  makeDemo(folder, music);
  QDir::setCurrent(folder);
  sorv::State s;
  s.useSongDb = 1;
  s.pathDir[1] = music;
  s.pathDir[5] = folder;
  sorv::test::FakeEngine decoder;
  decoder.tags[(music + "unregistered_demo.mp3").toStdString()].title = "Unregistered Demo";
  sorv::test::FakeView view;
  sorv::Player player(s, decoder, view);
  sorv::SelectionWindow window(player);
  window.resize(820, 600);
  window.show();
  shoot(window, 0, out + "/selection-anime.png");
  shoot(window, 3, out + "/selection-year.png");
  return 0;
}
