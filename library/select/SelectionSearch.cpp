// The search of the selection window: scan (or reuse) the candidates, then build the tree.
#include "core/Messages.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"
#include "library/select/SelectionWindow.h"
#include "library/select/SongScan.h"
#include "library/select/TreeBuild.h"

namespace sorv {

namespace {

constexpr int kAutoExpandBelow = 30;

void setExpandedDeep(QTreeWidgetItem* node, bool expanded) {
  node->setExpanded(expanded);
  for (int i = 0; i < node->childCount(); ++i) setExpandedDeep(node->child(i), expanded);
}

}  // namespace

void SelectionWindow::runSearch(int16_t reuseCandidates) {
  if (reuseCandidates == 0) {
    scanAndRecord();
    return;
  }
  startSearch();
  try {
    SqlDb db(songDbPath(s_));
    finishSearch(db);
  } catch (const DbError& e) {
    showMessage(e.description());
  }
}

void SelectionWindow::startSearch() {
  songCount_ = 0;
  checkCount_ = 0;
  for (int i : {0, 3, 4}) btn[i]->setEnabled(false);
}

void SelectionWindow::scanAndRecord() {
  setWindowTitle(QStringLiteral("選曲（フォルダ検索中）"));
  // The caller emptied the tree: no tick may outlive it, even when the walk fails.
  startSearch();
  QVector<FolderListing> listings;
  try {
    listings = scanSearchPaths({dataPath[0]->text(), dataPath[1]->text(), dataPath[2]->text()},
                               s_.songFiles());
  } catch (const ScanError& e) {
    showMessage(e.examined + u':' + e.description());
    return;
  }
  setWindowTitle(QStringLiteral("選曲（ファイル検索中）"));
  try {
    SqlDb db(songDbPath(s_));
    db.execute(QStringLiteral("DELETE FROM 選択候補"));
    fileCount_ = writeCandidates(db, listings);
    finishSearch(db);
  } catch (const DbError& e) {
    showMessage(e.description());
  }
}

void SelectionWindow::finishSearch(SqlDb& db) {
  if (fileCount_ < 1) {
    setWindowTitle(QStringLiteral("選曲（ 0000/0000 ）"));
    return;
  }
  const int order = sortSel->currentIndex();
  const TreeBuildResult result = buildSongTree(
      order >= 1 && order <= 3 ? static_cast<TreeOrder>(order) : TreeOrder::Anime, db,
      [this] {
        QString sql;
        appendFilter(sql);
        return sql;
      }(),
      decoder_, *tree);
  songCount_ = result.songCount;
  if (checkMark_.size() <= tree->nodeCount()) checkMark_.resize(tree->nodeCount() + 1);
  if (!result.completed) return;
  setWindowTitle(countCaption(0, songCount_));
  expandSmallTree();
}

void SelectionWindow::expandSmallTree() {
  if (songCount_ <= 0 || !edtChk[0]->isChecked() || songCount_ >= kAutoExpandBelow) return;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) toggleSubtree(tree->topLevelItem(i));
  if (QTreeWidgetItem* first = tree->firstRoot()) tree->scrollToItem(first);
}

void SelectionWindow::toggleSubtree(QTreeWidgetItem* node) {
  if (!node) return;
  tree->setUpdatesEnabled(false);
  setExpandedDeep(node, !node->isExpanded());
  tree->setUpdatesEnabled(true);
}

}  // namespace sorv
