// Tick bookkeeping of the selection tree: CheckMark is the program's record of the ticks (by
// node index), kept beside the tree's own check boxes; CheckCount counts ticked songs.
#include <QTreeWidgetItemIterator>
#include <limits>

#include "library/select/SelectionWindow.h"
#include "library/select/TreeBuild.h"

namespace sorv {

namespace {

constexpr int kMaxCollected = 32767;  // the play list's capacity

bool IsGenre(const QTreeWidgetItem* node) {
  return SongTreeWidget::KeyOf(node).startsWith(QStringLiteral("Genre"));
}

bool IsLeaf(const QTreeWidgetItem* node) {
  return node->childCount() == 0;
}

}  // namespace

int16_t& frmEdit::Mark(const QTreeWidgetItem* node) {
  const int index = SongTreeWidget::IndexOf(node);
  if (index >= s_.CheckMark.size()) s_.CheckMark.resize(std::max(index + 1, Tree->NodeCount() + 1));
  return s_.CheckMark[index];
}

void frmEdit::ClearMarks() {
  s_.CheckMark.fill(0);
}

void frmEdit::CountTick(int16_t value) {
  const int count = s_.CheckCount + (value == -1 ? 1 : -1);
  s_.CheckCount = static_cast<int16_t>(
      std::clamp(count, 0, static_cast<int>(std::numeric_limits<int16_t>::max())));
}

void frmEdit::ShowCountCaption() {
  setWindowTitle(CountCaption(s_.CheckCount, songCount_));
  EnableSelectionButtons();
}

void frmEdit::PropagateCheckDown(QTreeWidgetItem* node, int16_t value, int16_t nested) {
  if (!node || SongTreeWidget::IsGrey(node)) return;
  if (IsLeaf(node)) {
    if (nested == 0) {
      PropagateCheckUp(node, value);
      CountTick(value);
    }
    return;
  }
  for (int i = 0; i < node->childCount(); ++i) {
    QTreeWidgetItem* child = node->child(i);
    if (SongTreeWidget::IsGrey(child)) continue;
    if (IsLeaf(child) && Mark(child) != value) CountTick(value);
    SongTreeWidget::SetChecked(child, value == -1);
    Mark(child) = value;
    PropagateCheckDown(child, value, 1);
  }
  if (nested == 0 && !IsGenre(node)) PropagateCheckUp(node, value);
}

void frmEdit::PropagateCheckUp(QTreeWidgetItem* node, int16_t value) {
  if (value == -1) {
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent()) {
      SongTreeWidget::SetChecked(up, true);
      Mark(up) = -1;
      if (IsGenre(up)) break;
    }
    return;
  }
  for (QTreeWidgetItem* current = node; QTreeWidgetItem* parent = current->parent();
       current = parent) {
    bool anyTicked = false;
    for (int i = 0; i < parent->childCount() && !anyTicked; ++i) {
      anyTicked = Mark(parent->child(i)) == -1;
    }
    if (!anyTicked) {
      SongTreeWidget::SetChecked(parent, false);
      Mark(parent) = 0;
    }
    if (IsGenre(parent)) break;
  }
}

QStringList frmEdit::CollectCheckedKeys() const {
  QStringList keys;
  for (QTreeWidgetItemIterator it(Tree); *it && keys.size() < kMaxCollected; ++it) {
    if (IsLeaf(*it) && SongTreeWidget::IsChecked(*it)) keys << SongTreeWidget::KeyOf(*it);
  }
  return keys;
}

void frmEdit::Tree_MouseDown(Qt::MouseButton, QTreeWidgetItem* node) {
  if (node) pressIndex_ = SongTreeWidget::IndexOf(node);
}

void frmEdit::Tree_MouseUp(Qt::MouseButton button, QTreeWidgetItem* node, QPoint globalPos) {
  if (!node) return;
  if (pressIndex_ != SongTreeWidget::IndexOf(node)) {
    if (QTreeWidgetItem* pressed = Tree->Node(pressIndex_)) {
      SongTreeWidget::SetChecked(pressed, Mark(pressed) == -1);
    }
  }
  if (button == Qt::RightButton) {
    if (IsLeaf(node) && !SongTreeWidget::IsGrey(node)) {
      popupNode_ = node;
      pop->popup(globalPos);
    } else if (!IsLeaf(node)) {
      ToggleSubtree(node);
      Tree->scrollToItem(node);
    }
    return;
  }
  if (button == Qt::LeftButton) ToggleTick(node);
}

void frmEdit::Tree_SpaceKey() {
  if (QTreeWidgetItem* node = Tree->currentItem()) ToggleTick(node);
}

void frmEdit::ToggleTick(QTreeWidgetItem* node) {
  // A grey node can never be ticked, so its mark stays clear as well.
  if (SongTreeWidget::IsGrey(node)) {
    SongTreeWidget::SetChecked(node, false);
    return;
  }
  Mark(node) = Mark(node) != 0 ? 0 : -1;
  SongTreeWidget::SetChecked(node, Mark(node) == -1);
  PropagateCheckDown(node, Mark(node), 0);
  ShowCountCaption();
}

}  // namespace sorv
