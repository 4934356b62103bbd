#include "library/select/SongTreeWidget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "library/select/TreeImages.h"

namespace sorv {

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole + 2;

}  // namespace

SongTreeWidget::SongTreeWidget(QWidget* parent) : QTreeWidget(parent), nodes_(1, nullptr) {
  setColumnCount(1);
  header()->hide();
  setSortingEnabled(false);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  boldFont_ = font();
  boldFont_.setBold(true);
}

QTreeWidgetItem* SongTreeWidget::addNode(QTreeWidgetItem* parent, const QString& key,
                                         const QString& text, int image, bool bold) {
  if (keys_.contains(key)) throw DuplicateKey(key);
  auto* item = new QTreeWidgetItem(QStringList(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setData(0, kKeyRole, key);
  item->setData(0, kIndexRole, static_cast<int>(nodes_.size()));
  item->setCheckState(0, Qt::Unchecked);
  item->setIcon(0, treeImage(image));
  if (bold) item->setFont(0, boldFont_);
  if (parent) {
    parent->addChild(item);
  } else if (bulk_) {
    pendingRoots_ << item;
  } else {
    addTopLevelItem(item);
  }
  nodes_.push_back(item);
  keys_.insert(key, item);
  return item;
}

void SongTreeWidget::clearNodes() {
  qDeleteAll(pendingRoots_);
  pendingRoots_.clear();
  clear();
  nodes_.assign(1, nullptr);
  keys_.clear();
}

void SongTreeWidget::beginBulk() {
  bulk_ = true;
  setUpdatesEnabled(false);
}

void SongTreeWidget::endBulk() {
  bulk_ = false;
  addTopLevelItems(pendingRoots_);
  pendingRoots_.clear();
  setUpdatesEnabled(true);
}

QTreeWidgetItem* SongTreeWidget::nodeFor(int index) const {
  return index >= 1 && index <= nodeCount() ? nodes_[index] : nullptr;
}

QTreeWidgetItem* SongTreeWidget::firstRoot() const {
  if (!pendingRoots_.isEmpty()) return pendingRoots_.first();
  return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
}

int SongTreeWidget::indexOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kIndexRole).toInt() : 0;
}

QString SongTreeWidget::keyOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kKeyRole).toString() : QString();
}

bool SongTreeWidget::isGrey(const QTreeWidgetItem* item) {
  return item && item->foreground(0).style() != Qt::NoBrush &&
         item->foreground(0).color() == kGreyNode;
}

void SongTreeWidget::setColor(QTreeWidgetItem* item, const QColor& color) {
  if (item) item->setForeground(0, color);
}

bool SongTreeWidget::isChecked(const QTreeWidgetItem* item) {
  return item && item->checkState(0) == Qt::Checked;
}

void SongTreeWidget::setChecked(QTreeWidgetItem* item, bool checked) {
  if (item) item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

QTreeWidgetItem* SongTreeWidget::nodeAt(QPoint pos) const {
  QTreeWidgetItem* item = itemAt(pos);
  // The expand arrow left of a node belongs to the tree, not to the node.
  return item && visualItemRect(item).contains(pos) ? item : nullptr;
}

void SongTreeWidget::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  if (mouseDown) {
    mouseDown(event->button(), nodeAt(event->position().toPoint()),
              event->globalPosition().toPoint());
  }
}

void SongTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (mouseUp) {
    mouseUp(event->button(), nodeAt(event->position().toPoint()),
            event->globalPosition().toPoint());
  }
}

void SongTreeWidget::keyPressEvent(QKeyEvent* event) {
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
  QTreeWidget::keyPressEvent(event);
}

}  // namespace sorv
