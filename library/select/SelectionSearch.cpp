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

void SetExpandedDeep(QTreeWidgetItem* node, bool expanded) {
  node->setExpanded(expanded);
  for (int i = 0; i < node->childCount(); ++i) SetExpandedDeep(node->child(i), expanded);
}

}  // namespace

void frmEdit::RunSearch(int16_t reuseCandidates) {
  if (reuseCandidates == 0) {
    ScanAndRecord();
    return;
  }
  StartSearch();
  try {
    SqlDb db(SongDbPath(s_));
    FinishSearch(db);
  } catch (const DbError& e) {
    ShowMessage(e.description());
  }
}

void frmEdit::StartSearch() {
  songCount_ = 0;
  s_.CheckCount = 0;
  for (int i : {0, 3, 4}) btn[i]->setEnabled(false);
}

void frmEdit::ScanAndRecord() {
  setWindowTitle(QStringLiteral("選曲（フォルダ検索中）"));
  // The caller emptied the tree: no tick may outlive it, even when the walk fails.
  StartSearch();
  QVector<FolderListing> listings;
  try {
    listings = ScanSearchPaths({DataPath[0]->text(), DataPath[1]->text(), DataPath[2]->text()});
  } catch (const ScanError& e) {
    ShowMessage(e.examined + u':' + e.description());
    return;
  }
  setWindowTitle(QStringLiteral("選曲（ファイル検索中）"));
  try {
    SqlDb db(SongDbPath(s_));
    db.Execute(QStringLiteral("DELETE FROM 選択候補"));
    fileCount_ = WriteCandidates(db, listings);
    FinishSearch(db);
  } catch (const DbError& e) {
    ShowMessage(e.description());
  }
}

void frmEdit::FinishSearch(SqlDb& db) {
  if (fileCount_ < 1) {
    setWindowTitle(QStringLiteral("選曲（ 0000/0000 ）"));
    return;
  }
  const int order = SortSel->currentIndex();
  const TreeBuildResult result = BuildSongTree(
      order >= 1 && order <= 3 ? static_cast<TreeOrder>(order) : TreeOrder::Anime, db,
      [this] {
        QString sql;
        AppendFilter(sql);
        return sql;
      }(),
      decoder_, *Tree);
  songCount_ = result.songCount;
  if (s_.CheckMark.size() <= Tree->NodeCount()) s_.CheckMark.resize(Tree->NodeCount() + 1);
  if (!result.completed) return;
  setWindowTitle(CountCaption(0, songCount_));
  ExpandSmallTree();
}

void frmEdit::ExpandSmallTree() {
  if (songCount_ <= 0 || !EdtChk[0]->isChecked() || songCount_ >= kAutoExpandBelow) return;
  for (int i = 0; i < Tree->topLevelItemCount(); ++i) ToggleSubtree(Tree->topLevelItem(i));
  if (QTreeWidgetItem* first = Tree->FirstRoot()) Tree->scrollToItem(first);
}

void frmEdit::ToggleSubtree(QTreeWidgetItem* node) {
  if (!node) return;
  Tree->setUpdatesEnabled(false);
  SetExpandedDeep(node, !node->isExpanded());
  Tree->setUpdatesEnabled(true);
}

}  // namespace sorv
