// Times the folder scan against find(1) on the same tree, the tree build, and 選曲完了 with every
// song ticked, for a generated library of 20,000 songs. Prints Markdown table rows.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/library/BenchLibrary.h"
#include "core/Messages.h"
#include "library/db/SqlDb.h"
#include "library/select/Filter.h"
#include "library/select/SelectionWindow.h"
#include "library/select/SongScan.h"
#include "library/select/TreeBuild.h"
#include "tests/common/FakeEngine.h"
#include "tests/panel/PanelTestView.h"

namespace {

constexpr int kRuns = 5;

void row(const char* what, double ms, const QString& note) {
  std::printf("| %s | %.1f ms | %s |\n", what, ms, note.toUtf8().constData());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const sorv::bench::BenchLibrary library;
  const QString& root = library.root;
  const QString& dbPath = library.dbPath;

  int found = 0;
  const double scan = sorv::bench::medianMs(kRuns, [&] {
    found = 0;
    for (const auto& listing : sorv::scanSearchPaths({root}, sorv::SongFiles::Mp3Only))
      found += listing.songFiles.size();
  });
  const double find = sorv::bench::medianMs(kRuns, [&] {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start("find", {root, "-name", "*.mp3"});
    process.waitForFinished(-1);
  });
  row("scan 20,000 files", scan,
      QString("find: %1 ms, ratio %2× (%3 files)")
          .arg(find, 0, 'f', 1)
          .arg(scan / find, 0, 'f', 2)
          .arg(found));

  sorv::SqlDb db(dbPath);
  const double record = sorv::bench::medianMs(kRuns, [&] {
    db.execute("DELETE FROM 選択候補");
    sorv::writeCandidates(db, sorv::scanSearchPaths({root}, sorv::SongFiles::Mp3Only));
  });
  row("scan and record 20,000 candidates", record, "one statement, one transaction");

  sorv::test::FakeEngine decoder;
  sorv::FilterBoxes boxes = sorv::initialFilterBoxes();
  boxes[7] = true;
  QString fromWhere;
  sorv::appendFilter(fromWhere, boxes, {});
  const char* names[] = {"tree build, work order (20,000 rows)", "tree build, song order",
                         "tree build, artist order", "tree build, year order"};
  for (int order = 0; order < 4; ++order) {
    sorv::SongTreeStore tree;
    int songs = 0;
    const double build = sorv::bench::medianMs(
        kRuns,
        [&] {
          songs =
              sorv::buildSongTree(static_cast<sorv::TreeOrder>(order), db, fromWhere, decoder, tree)
                  .songCount;
        },
        [&] { tree = sorv::SongTreeStore(); });
    row(names[order], build, QString("%1 songs, %2 nodes").arg(songs).arg(tree.nodeCount()));
  }

  // 選曲完了 over the real main panel on screen, whose counter repaints while the list is set.
  sorv::State s;
  s.pathDir[1] = root;
  s.pathDir[5] = library.dir.path() + "/";
  sorv::test::PanelTestView view;
  sorv::Player player(s, decoder, view);
  sorv::MainPanel panel(player);
  view.attach(panel);
  panel.show();
  while (!panel.windowHandle()->isExposed()) QApplication::processEvents();  // or nothing paints
  sorv::SelectionWindow window(player);
  window.edtChk[7]->setChecked(true);
  window.runCommand(2);
  while (window.searching()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  for (int genre : window.tree->store().node(0).children) window.treeMouseUp(Qt::LeftButton, genre);
  const double choose = sorv::bench::medianMs(kRuns, [&] { window.runCommand(0); });
  row("選曲完了 with every song ticked", choose,
      QString("%1 entries, counter %2").arg(s.listCount).arg(view.counter()));
  return 0;
}
