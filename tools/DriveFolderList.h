#pragma once
// The drive list and the folder list of the folder choices: a combo box of the mounted volumes
// and a tree of folders. Choosing a volume that cannot be read says so and goes back to the
// volume of the folder shown.
#include <QComboBox>
#include <QFileSystemModel>
#include <QObject>
#include <QTreeView>

namespace sorv {

class DriveFolderList : public QObject {
  Q_OBJECT

 public:
  explicit DriveFolderList(QWidget* parent);

  QComboBox* drive() const { return drive_; }
  QTreeView* folders() const { return folders_; }

  // The folder shown, as the file system writes it: no trailing separator except at the root.
  QString path() const { return path_; }
  // Shows the folder; false (and nothing changes) when it is not an existing folder.
  bool setPath(const QString& folder);

  // The volume chosen in the drive list changed (also called by a user's choice).
  void drive1Change();

 signals:
  // The folder shown changed.
  void pathChanged(const QString& path);

 private:
  void fillDrives();
  int driveIndex(const QString& root);
  void selectDriveOf(const QString& folder);
  // Opens the tree down to the folder shown and scrolls it into view.
  void showCurrent();
  void revealPending();
  void folderClicked(const QModelIndex& index);

  QComboBox* drive_;
  QTreeView* folders_;
  QFileSystemModel* model_;
  QString path_;
  bool revealPending_ = false;
};

}  // namespace sorv
