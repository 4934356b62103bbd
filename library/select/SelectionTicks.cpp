// Tick bookkeeping of the selection tree: checkMark_ is the window's record of the ticks (by
// node index), kept beside the tree's own check boxes; checkCount_ counts ticked songs.
#include <QTreeWidgetItemIterator>
#include <limits>

#include "library/select/SelectionWindow.h"
#include "library/select/TreeBuild.h"

namespace sorv {

namespace {

bool isGenre(const QTreeWidgetItem* node) {
  return SongTreeWidget::keyOf(node).startsWith(QStringLiteral("Genre"));
}

bool isLeaf(const QTreeWidgetItem* node) {
  return node->childCount() == 0;
}

}  // namespace

int16_t& SelectionWindow::mark(const QTreeWidgetItem* node) {
  const int index = SongTreeWidget::indexOf(node);
  if (index >= checkMark_.size()) checkMark_.resize(std::max(index + 1, tree->nodeCount() + 1));
  return checkMark_[index];
}

void SelectionWindow::clearMarks() {
  checkMark_.fill(0);
}

void SelectionWindow::countTick(int16_t value) {
  checkCount_ = std::max(0, checkCount_ + (value == -1 ? 1 : -1));
}

void SelectionWindow::showCountCaption() {
  setWindowTitle(countCaption(checkCount_, songCount_));
  enableSelectionButtons();
}

void SelectionWindow::propagateCheckDown(QTreeWidgetItem* node, int16_t value, int16_t nested) {
  if (!node || SongTreeWidget::isGrey(node)) return;
  if (isLeaf(node)) {
    if (nested == 0) {
      propagateCheckUp(node, value);
      countTick(value);
    }
    return;
  }
  for (int i = 0; i < node->childCount(); ++i) {
    QTreeWidgetItem* child = node->child(i);
    if (SongTreeWidget::isGrey(child)) continue;
    if (isLeaf(child) && mark(child) != value) countTick(value);
    SongTreeWidget::setChecked(child, value == -1);
    mark(child) = value;
    propagateCheckDown(child, value, 1);
  }
  if (nested == 0 && !isGenre(node)) propagateCheckUp(node, value);
}

void SelectionWindow::propagateCheckUp(QTreeWidgetItem* node, int16_t value) {
  if (value == -1) {
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent()) {
      SongTreeWidget::setChecked(up, true);
      mark(up) = -1;
      if (isGenre(up)) break;
    }
    return;
  }
  for (QTreeWidgetItem* current = node; QTreeWidgetItem* parent = current->parent();
       current = parent) {
    bool anyTicked = false;
    for (int i = 0; i < parent->childCount() && !anyTicked; ++i) {
      anyTicked = mark(parent->child(i)) == -1;
    }
    if (!anyTicked) {
      SongTreeWidget::setChecked(parent, false);
      mark(parent) = 0;
    }
    if (isGenre(parent)) break;
  }
}

QStringList SelectionWindow::collectCheckedKeys() const {
  QStringList keys;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if (isLeaf(*it) && SongTreeWidget::isChecked(*it)) keys << SongTreeWidget::keyOf(*it);
  }
  return keys;
}

void SelectionWindow::treeMouseDown(Qt::MouseButton, QTreeWidgetItem* node) {
  if (node) pressIndex_ = SongTreeWidget::indexOf(node);
}

void SelectionWindow::treeMouseUp(Qt::MouseButton button, QTreeWidgetItem* node, QPoint globalPos) {
  if (!node) return;
  if (pressIndex_ != SongTreeWidget::indexOf(node)) {
    if (QTreeWidgetItem* pressed = tree->nodeFor(pressIndex_)) {
      SongTreeWidget::setChecked(pressed, mark(pressed) == -1);
    }
  }
  if (button == Qt::RightButton) {
    if (isLeaf(node) && !SongTreeWidget::isGrey(node)) {
      popupNode_ = node;
      pop->popup(globalPos);
    } else if (!isLeaf(node)) {
      toggleSubtree(node);
      tree->scrollToItem(node);
    }
    return;
  }
  if (button == Qt::LeftButton) toggleTick(node);
}

void SelectionWindow::treeSpaceKey() {
  if (QTreeWidgetItem* node = tree->currentItem()) toggleTick(node);
}

void SelectionWindow::toggleTick(QTreeWidgetItem* node) {
  // A grey node can never be ticked, so its mark stays clear as well.
  if (SongTreeWidget::isGrey(node)) {
    SongTreeWidget::setChecked(node, false);
    return;
  }
  mark(node) = mark(node) != 0 ? 0 : -1;
  SongTreeWidget::setChecked(node, mark(node) == -1);
  propagateCheckDown(node, mark(node), 0);
  showCountCaption();
}

}  // namespace sorv
