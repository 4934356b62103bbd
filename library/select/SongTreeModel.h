#pragma once
// The song tree as an item model over a SongTreeStore: one column, rows made on demand from the
// store's vectors, check boxes that only the program changes.
#include <QAbstractItemModel>
#include <memory>

#include "library/select/SongTreeStore.h"

namespace sorv {

class SongTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit SongTreeModel(QObject* parent = nullptr);

  const SongTreeStore& store() const { return *store_; }
  SongTreeStore& store() { return *store_; }
  // Shows another tree in one reset (an empty store empties the view); returns the one before.
  std::unique_ptr<SongTreeStore> replaceStore(std::unique_ptr<SongTreeStore> store);

  QModelIndex indexOf(int node) const;
  static int nodeOf(const QModelIndex& index) { return static_cast<int>(index.internalId()); }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::unique_ptr<SongTreeStore> store_;
};

}  // namespace sorv
