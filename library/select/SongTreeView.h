#pragma once
// The selection window's tree: a view of a SongTreeModel, addressed by node index (0: none).
// Mouse buttons and the space key are handed to the window's handlers; character keys never
// start a type-ahead search.
#include <QTreeView>
#include <functional>
#include <memory>

#include "library/select/SongTreeModel.h"

namespace sorv {

class SongTreeView : public QTreeView {
  Q_OBJECT

 public:
  explicit SongTreeView(QWidget* parent = nullptr);

  SongTreeStore& store() { return model_->store(); }
  const SongTreeStore& store() const { return model_->store(); }
  int nodeCount() const { return store().nodeCount(); }
  int findKey(const QString& key) const { return store().findKey(key); }
  // Shows another tree, all collapsed; returns the one shown before.
  std::unique_ptr<SongTreeStore> showStore(std::unique_ptr<SongTreeStore> store) {
    return model_->replaceStore(std::move(store));
  }
  // Empties the view; returns the tree it showed (freeing a large one takes a while).
  std::unique_ptr<SongTreeStore> takeNodes() {
    return showStore(std::make_unique<SongTreeStore>());
  }
  // Repaints after the ticks changed in the store.
  void ticksChanged() { viewport()->update(); }

  // The node whose row (not its expand arrow) is at a viewport point, or 0.
  int nodeAt(QPoint pos) const;
  QRect nodeRect(int node) const { return visualRect(model_->indexOf(node)); }
  int currentNode() const { return SongTreeModel::nodeOf(currentIndex()); }
  void setCurrentNode(int node) { setCurrentIndex(model_->indexOf(node)); }
  void scrollToNode(int node) { scrollTo(model_->indexOf(node)); }
  bool isNodeExpanded(int node) const { return isExpanded(model_->indexOf(node)); }
  // Opens node and every group below it, or closes them all.
  void setSubtreeExpanded(int node, bool expanded);

  // Handlers of the window; node is the one under the pointer or 0.
  std::function<void(Qt::MouseButton, int node, QPoint globalPos)> mouseUp;
  std::function<void()> spaceKey;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  SongTreeModel* model_;
};

}  // namespace sorv
