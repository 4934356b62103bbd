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
#include "tests/common/FakeDecoder.h"
#include "tests/common/FakeView.h"

namespace {

// The demo songs' files (empty) in a music folder, and the demo database.
void MakeDemo(const QString& folder, const QString& music) {
  QFile csv(QStringLiteral(SORV_SOURCE_DIR "/demo/songs.csv"));
  csv.open(QIODevice::ReadOnly);
  const QByteArray bytes = csv.readAll();
  sorv::CreateSongDb(folder + "sorvdb.mdb");
  sorv::SqlDb db(folder + "sorvdb.mdb");
  sorv::ImportSongCsv(db, bytes);
  QDir().mkpath(music);
  const auto records = sorv::ParseCsv(QString::fromUtf8(bytes));
  for (int i = 1; i < records.size(); ++i) QFile(music + records[i][0]).open(QIODevice::WriteOnly);
  QFile(music + "unregistered_demo.mp3").open(QIODevice::WriteOnly);
}

void Tick(sorv::frmEdit& window, const QString& key) {
  QTreeWidgetItem* node = window.Tree->FindKey(key);
  window.Tree_MouseDown(Qt::LeftButton, node);
  window.Tree_MouseUp(Qt::LeftButton, node);
}

void Shoot(sorv::frmEdit& window, int order, const QString& file) {
  window.SortSel->setCurrentIndex(order);
  window.btn_Click(2);
  const QString music = window.DataPath[0]->text();
  Tick(window, music + "hoshizora_opening.mp3");
  Tick(window, music + "kaze_no_ending.mp3");
  Tick(window, music + "henshin_insert.mp3");
  window.Tree->setCurrentItem(window.Tree->FindKey(music + "kaze_no_ending.mp3"));
  window.grab().save(file);
  std::printf("%s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sorv::RegisterFontSubstitutions();
  const QString out =
      QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath();
  QTemporaryDir dir;
  const QString folder = dir.path() + "/", music = folder + "music/";
  MakeDemo(folder, music);
  QDir::setCurrent(folder);
  sorv::State s;
  s.UseSongDb = 1;
  s.PathDir[1] = music;
  s.PathDir[5] = folder;
  sorv::test::FakeDecoder decoder;
  decoder.tags[(music + "unregistered_demo.mp3").toStdString()].title = "Unregistered Demo";
  sorv::test::FakeView view;
  sorv::frmEdit window(s, decoder, view);
  window.resize(820, 600);
  window.show();
  Shoot(window, 0, out + "/selection-anime.png");
  Shoot(window, 3, out + "/selection-year.png");
  return 0;
}
