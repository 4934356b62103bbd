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
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                           int image, bool bold);
  // Removes every node; indices start again at 1.
  void ClearNodes();
  // While building, new top-level nodes stay outside the widget and are put in at once by
  // EndBulk (much faster for large trees). Nodes, keys and indices work as usual meanwhile.
  void BeginBulk();
  void EndBulk();

  int NodeCount() const { return static_cast<int>(nodes_.size()) - 1; }
  // Node by index, 1..NodeCount(); nullptr outside.
  QTreeWidgetItem* Node(int index) const;
  QTreeWidgetItem* FindKey(const QString& key) const { return keys_.value(key); }
  // The node whose row (not its expand arrow) is at a viewport point, or nullptr.
  QTreeWidgetItem* NodeAt(QPoint pos) const;
  // The first top-level node (node 1 of the old control's sibling walk).
  QTreeWidgetItem* FirstRoot() const;

  static int IndexOf(const QTreeWidgetItem* item);
  static QString KeyOf(const QTreeWidgetItem* item);
  static bool IsGrey(const QTreeWidgetItem* item);
  static void SetColor(QTreeWidgetItem* item, const QColor& color);
  static bool IsChecked(const QTreeWidgetItem* item);
  static void SetChecked(QTreeWidgetItem* item, bool checked);

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
