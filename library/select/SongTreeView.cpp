#include "library/select/SongTreeView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace sorv {

SongTreeView::SongTreeView(QWidget* parent) : QTreeView(parent), model_(new SongTreeModel(this)) {
  setModel(model_);
  header()->hide();
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  setEditTriggers(NoEditTriggers);
}

int SongTreeView::nodeAt(QPoint pos) const {
  const QModelIndex index = indexAt(pos);
  // The expand arrow left of a node belongs to the tree, not to the node.
  return index.isValid() && visualRect(index).contains(pos) ? SongTreeModel::nodeOf(index) : 0;
}

void SongTreeView::setSubtreeExpanded(int node, bool expanded) {
  const QModelIndex index = model_->indexOf(node);
  if (expanded) {
    expandRecursively(index);
    return;
  }
  // Closed while a layout is pending, each group is only struck from the expanded set, instead
  // of the view relaying its rows once per group.
  scheduleDelayedItemsLayout();
  collapse(index);
  store().forEachBelow(node, [&](int below) {
    if (!store().isLeaf(below)) collapse(model_->indexOf(below));
  });
}

void SongTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (mouseUp) {
    mouseUp(event->button(), nodeAt(event->position().toPoint()),
            event->globalPosition().toPoint());
  }
}

void SongTreeView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (spaceKey) spaceKey();
    event->accept();
    return;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text[0].isPrint()) {
    event->accept();  // no type-ahead search
    return;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace sorv
