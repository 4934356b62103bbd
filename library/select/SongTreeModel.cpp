#include "library/select/SongTreeModel.h"

#include <QFont>

#include "library/select/TreeImages.h"

namespace sorv {

SongTreeModel::SongTreeModel(QObject* parent)
    : QAbstractItemModel(parent), store_(std::make_unique<SongTreeStore>()) {}

std::unique_ptr<SongTreeStore> SongTreeModel::replaceStore(std::unique_ptr<SongTreeStore> store) {
  beginResetModel();
  std::swap(store_, store);
  endResetModel();
  return store;
}

QModelIndex SongTreeModel::indexOf(int node) const {
  if (node <= 0 || node > store_->nodeCount()) return {};
  return createIndex(store_->node(node).row, 0, static_cast<quintptr>(node));
}

QModelIndex SongTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const auto& children = store_->node(nodeOf(parent)).children;
  if (column != 0 || row < 0 || row >= static_cast<int>(children.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(children[row]));
}

QModelIndex SongTreeModel::parent(const QModelIndex& child) const {
  return child.isValid() ? indexOf(store_->node(nodeOf(child)).parent) : QModelIndex();
}

int SongTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(store_->node(nodeOf(parent)).children.size());
}

int SongTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant SongTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int node = nodeOf(index);
  const SongTreeStore::Node& n = store_->node(node);
  switch (role) {
    case Qt::DisplayRole:
      return n.text;
    case Qt::DecorationRole:
      return treeImage(n.image);
    case Qt::ForegroundRole: {
      const QColor colour = store_->colour(node);
      return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::FontRole: {
      if (!n.bold) return {};
      // Only the weight is set, so the view's own font supplies the rest.
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case Qt::CheckStateRole:
      return n.ticked ? Qt::Checked : Qt::Unchecked;
    default:
      return {};
  }
}

Qt::ItemFlags SongTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (store_->isLeaf(nodeOf(index))) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

}  // namespace sorv
