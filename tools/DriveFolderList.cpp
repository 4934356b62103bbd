#include "tools/DriveFolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>

#include "core/Messages.h"
#include "tools/FileSystemCheck.h"

namespace sorv {

DriveFolderList::DriveFolderList(QWidget* parent)
    : QObject(parent),
      drive_(new QComboBox(parent)),
      folders_(new QTreeView(parent)),
      model_(new QFileSystemModel(this)) {
  // Hidden folders (names starting with ".") stay out of the list.
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QStringLiteral("/"));
  folders_->setModel(model_);
  folders_->setRootIndex(model_->index(QStringLiteral("/")));
  for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
  folders_->header()->hide();
  fillDrives();
  // The model lists and sorts folders in the background: the folder shown is brought into view
  // again as they arrive, until the user takes over the list.
  connect(model_, &QFileSystemModel::directoryLoaded, this, &DriveFolderList::revealPending);
  connect(model_, &QFileSystemModel::layoutChanged, this, &DriveFolderList::revealPending);
  connect(folders_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { revealPending_ = false; });
  connect(folders_, &QTreeView::clicked, this, &DriveFolderList::folderClicked);
  connect(folders_, &QTreeView::activated, this, &DriveFolderList::folderClicked);
  connect(drive_, &QComboBox::activated, this, [this] { drive1Change(); });
}

void DriveFolderList::fillDrives() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) roots << volume.rootPath();
  roots.removeDuplicates();
  roots.sort();
  for (const QString& root : roots) drive_->addItem(root, root);
}

int DriveFolderList::driveIndex(const QString& root) {
  int index = drive_->findData(root);
  if (index < 0) {
    drive_->addItem(root, root);
    index = drive_->count() - 1;
  }
  return index;
}

void DriveFolderList::selectDriveOf(const QString& folder) {
  const QSignalBlocker block(drive_);
  drive_->setCurrentIndex(driveIndex(driveOf(folder)));
}

bool DriveFolderList::setPath(const QString& folder) {
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir()) return false;
  const QString clean = QDir::cleanPath(info.absoluteFilePath());
  selectDriveOf(clean);
  const bool changed = clean != path_;
  path_ = clean;
  revealPending_ = true;
  showCurrent();
  if (changed) emit pathChanged(path_);
  return true;
}

void DriveFolderList::showCurrent() {
  const QModelIndex current = model_->index(path_);
  if (!current.isValid()) return;
  for (QModelIndex up = current.parent(); up.isValid(); up = up.parent()) folders_->expand(up);
  folders_->setCurrentIndex(current);
  folders_->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void DriveFolderList::revealPending() {
  if (revealPending_) showCurrent();
}

void DriveFolderList::folderClicked(const QModelIndex& index) {
  setPath(model_->filePath(index));
  revealPending_ = false;  // the user chose it where it is
}

void DriveFolderList::drive1Change() {
  const QString root = drive_->currentData().toString();
  if (driveReady(root) && setPath(root)) return;
  showMessage(QStringLiteral("ドライブの準備が出来ていません。"));
  selectDriveOf(path_);
}

}  // namespace sorv
