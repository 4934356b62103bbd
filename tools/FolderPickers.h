#pragma once
// The two folder pickers: the settings-folder picker, which moves WorkPath and its stored
// setting, and the general picker, which hands its folder back through PickedDir. Both accept
// only a path that exists and return it with a trailing separator.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "core/State.h"
#include "tools/DriveFolderList.h"

namespace sorv {

class FolderPicker : public QDialog {
  Q_OBJECT

 public:
  QComboBox* Drive1() const { return list_->drive(); }
  QTreeView* Dir1() const { return list_->folders(); }
  DriveFolderList& folderList() const { return *list_; }
  QLineEdit* Text1() const { return text1_; }
  QPushButton* OKButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  void OKButton_Click();
  void CancelButton_Click() { reject(); }

 protected:
  FolderPicker(State& s, QWidget* parent);
  // Shows start, or the current folder when start is empty or does not exist; returns the
  // folder shown.
  QString Load(const QString& start);
  // Takes the checked result (trimmed, ending in the separator).
  virtual void TakeResult(const QString& result) = 0;

  State& s_;

 private:
  DriveFolderList* list_;
  QLineEdit* text1_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// Settings folder: WorkPath and the stored setting, written only on OK.
class SetPathDialog : public FolderPicker {
  Q_OBJECT

 public:
  SetPathDialog(State& s, QWidget* parent = nullptr);
  ~SetPathDialog() override { Text1()->removeEventFilter(this); }
  // Leaving the path field puts the separator on a typed folder.
  void Text1_LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void TakeResult(const QString& result) override;
};

// General folder: the caller's folder comes in through PickedDir and goes out through it; a
// cancelled picker leaves PickedDir empty.
class SetFolder : public FolderPicker {
  Q_OBJECT

 public:
  SetFolder(State& s, QWidget* parent = nullptr);

 protected:
  void TakeResult(const QString& result) override;
};

// The browse button of a folder field: the general picker starts on the field's text, and a
// folder picked with OK replaces it; a cancelled picker leaves the field as it was.
void BrowseForFolder(State& s, QLineEdit& field, QWidget* parent);

}  // namespace sorv
