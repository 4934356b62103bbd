// Tick bookkeeping of the selection tree: the ticks live in the tree's store, checkCount_ counts
// ticked songs.
#include "library/select/SelectionWindow.h"
#include "library/select/TreeBuild.h"

namespace sorv {

namespace {

bool isGenre(const SongTreeStore& store, int node) {
  return store.node(node).key.startsWith(QStringLiteral("Genre"));
}

}  // namespace

void SelectionWindow::countTick(bool tick) {
  checkCount_ = std::max(0, checkCount_ + (tick ? 1 : -1));
}

void SelectionWindow::showCountCaption() {
  setWindowTitle(countCaption(checkCount_, songCount_));
  enableSelectionButtons();
}

void SelectionWindow::propagateCheckDown(int node, bool tick, bool nested) {
  SongTreeStore& store = tree->store();
  if (!node || store.isGrey(node)) return;
  if (store.isLeaf(node)) {
    if (!nested) {
      propagateCheckUp(node, tick);
      countTick(tick);
    }
    return;
  }
  for (int child : store.node(node).children) {
    if (store.isGrey(child)) continue;
    if (store.isLeaf(child) && store.isTicked(child) != tick) countTick(tick);
    store.setTicked(child, tick);
    propagateCheckDown(child, tick, true);
  }
  if (!nested && !isGenre(store, node)) propagateCheckUp(node, tick);
}

void SelectionWindow::propagateCheckUp(int node, bool tick) {
  SongTreeStore& store = tree->store();
  if (tick) {
    for (int up = store.node(node).parent; up != 0; up = store.node(up).parent) {
      store.setTicked(up, true);
      if (isGenre(store, up)) break;
    }
    return;
  }
  for (int parent = store.node(node).parent; parent != 0; parent = store.node(parent).parent) {
    const auto& siblings = store.node(parent).children;
    if (std::none_of(siblings.begin(), siblings.end(),
                     [&](int sibling) { return store.isTicked(sibling); })) {
      store.setTicked(parent, false);
    }
    if (isGenre(store, parent)) break;
  }
}

QStringList SelectionWindow::collectCheckedKeys() const {
  const SongTreeStore& store = tree->store();
  QStringList keys;
  store.forEachBelow(0, [&](int node) {
    if (store.isLeaf(node) && store.isTicked(node)) keys << store.node(node).key;
  });
  return keys;
}

void SelectionWindow::treeMouseUp(Qt::MouseButton button, int node, QPoint globalPos) {
  if (!node) return;
  const SongTreeStore& store = tree->store();
  if (button == Qt::RightButton) {
    if (store.isLeaf(node) && !store.isGrey(node)) {
      popupNode_ = node;
      pop->popup(globalPos);
    } else if (!store.isLeaf(node)) {
      toggleSubtree(node);
      tree->scrollToNode(node);
    }
    return;
  }
  if (button == Qt::LeftButton) toggleTick(node);
}

void SelectionWindow::treeSpaceKey() {
  if (const int node = tree->currentNode()) toggleTick(node);
}

void SelectionWindow::toggleTick(int node) {
  SongTreeStore& store = tree->store();
  // A grey node can never be ticked.
  if (store.isGrey(node)) return;
  store.setTicked(node, !store.isTicked(node));
  propagateCheckDown(node, store.isTicked(node), false);
  tree->ticksChanged();
  showCountCaption();
}

}  // namespace sorv
