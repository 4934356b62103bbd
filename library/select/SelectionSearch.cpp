// The search of the selection window: scan (or reuse) the candidates and build the tree on the
// worker, then show the tree here.
#include "core/Messages.h"
#include "library/db/SongDb.h"
#include "library/select/SelectionWindow.h"

namespace sorv {

namespace {

constexpr int kAutoExpandBelow = 30;

}  // namespace

void SelectionWindow::startSearch(bool rescan, bool recordReuse) {
  songCount_ = 0;
  checkCount_ = 0;
  for (int i : {0, 3, 4}) btn[i]->setEnabled(false);
  if (rescan) setWindowTitle(QStringLiteral("選曲（フォルダ検索中）"));
  popupNode_ = 0;
  recordReuse_ = recordReuse;
  const int order = sortSel->currentIndex();
  SearchRequest request;
  request.rescan = rescan;
  request.searchPaths = {dataPath[0]->text(), dataPath[1]->text(), dataPath[2]->text()};
  request.which = s_.songFiles();
  request.dbPath = songDbPath(s_);
  request.knownFileCount = fileCount_;
  request.order = order >= 1 && order <= 3 ? static_cast<TreeOrder>(order) : TreeOrder::Anime;
  appendFilter(request.fromWhere);
  runner_->start(request, tree->takeNodes());
}

void SelectionWindow::finishSearch(const std::shared_ptr<SearchOutcome>& outcome) {
  if (outcome->fileCount) fileCount_ = *outcome->fileCount;
  if (recordReuse_) scanReusable_ = fileCount_ > 0;
  if (outcome->tree) {
    songCount_ = outcome->build.songCount;
    tree->showStore(std::move(outcome->tree));
    if (outcome->build.completed) {
      setWindowTitle(countCaption(0, songCount_));
      expandSmallTree();
    }
  } else if (outcome->message.isEmpty()) {
    setWindowTitle(QStringLiteral("選曲（ 0000/0000 ）"));
  }
  // Last, as the message box lets the user act again: a failed scan or database leaves the
  // caption naming the step that failed.
  if (!outcome->message.isEmpty()) showMessage(outcome->message);
}

void SelectionWindow::cancelSearch() {
  if (runner_->cancel()) setWindowTitle(QStringLiteral("選曲（ ---- 件）"));
}

void SelectionWindow::expandSmallTree() {
  if (songCount_ <= 0 || !edtChk[0]->isChecked() || songCount_ >= kAutoExpandBelow) return;
  for (int genre : tree->store().node(0).children) toggleSubtree(genre);
  tree->scrollToNode(tree->store().node(0).children.front());
}

void SelectionWindow::toggleSubtree(int node) {
  if (node) tree->setSubtreeExpanded(node, !tree->isNodeExpanded(node));
}

}  // namespace sorv
