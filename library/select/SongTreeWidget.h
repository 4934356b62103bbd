#pragma once
// The selection window's tree: nodes with keys, 1-based node indices in order of creation,
// check boxes that only the program changes, colours and images. Mouse buttons and keys are
// handed to the window's handlers; character keys never start a type-ahead search.
#include <QHash>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>
#include <vector>

namespace sorv {

inline const QColor kGreyNode(200, 200, 200);
inline const QColor kBlueNode(0, 0, 255);
inline const QColor kBlackNode(0, 0, 0);

// Adding a node whose key is already in the tree.
class DuplicateKey : public std::runtime_error {
 public:
  explicit DuplicateKey(const QString& key) : std::runtime_error(key.toStdString()) {}
};

class SongTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit SongTreeWidget(QWidget* parent = nullptr);

  // Adds a collapsed, unchecked node under parent (nullptr: after the last top-level node).
  // Throws DuplicateKey when the key exists.
  QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                           int image, bool bold);
  // Removes every node; indices start again at 1.
  void clearNodes();
  // While building, new top-level nodes stay outside the widget and are put in at once by
  // endBulk (much faster for large trees). Nodes, keys and indices work as usual meanwhile.
  void beginBulk();
  void endBulk();

  int nodeCount() const { return static_cast<int>(nodes_.size()) - 1; }
  // Node by index, 1..nodeCount(); nullptr outside.
  QTreeWidgetItem* nodeFor(int index) const;
  QTreeWidgetItem* findKey(const QString& key) const { return keys_.value(key); }
  // The node whose row (not its expand arrow) is at a viewport point, or nullptr.
  QTreeWidgetItem* nodeAt(QPoint pos) const;
  // The first top-level node (node 1 of the old control's sibling walk).
  QTreeWidgetItem* firstRoot() const;

  static int indexOf(const QTreeWidgetItem* item);
  static QString keyOf(const QTreeWidgetItem* item);
  static bool isGrey(const QTreeWidgetItem* item);
  static void setColor(QTreeWidgetItem* item, const QColor& color);
  static bool isChecked(const QTreeWidgetItem* item);
  static void setChecked(QTreeWidgetItem* item, bool checked);

  // Handlers of the window; the item is the node under the pointer or nullptr.
  std::function<void(Qt::MouseButton, QTreeWidgetItem*, QPoint globalPos)> mouseDown;
  std::function<void(Qt::MouseButton, QTreeWidgetItem*, QPoint globalPos)> mouseUp;
  std::function<void()> spaceKey;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::vector<QTreeWidgetItem*> nodes_;  // nodes_[0] unused
  QHash<QString, QTreeWidgetItem*> keys_;
  QList<QTreeWidgetItem*> pendingRoots_;
  bool bulk_ = false;
  QFont boldFont_;
};

}  // namespace sorv
