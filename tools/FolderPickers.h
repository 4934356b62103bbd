#pragma once
// The two folder pickers: the settings-folder picker, which moves workPath and its stored
// setting, and the general picker, which hands back the folder picked. Both accept
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
  QComboBox* drive1() const { return list_->drive(); }
  QTreeView* dir1() const { return list_->folders(); }
  DriveFolderList& folderList() const { return *list_; }
  QLineEdit* text1() const { return text1_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

  void okButtonClick();
  void cancelButtonClick() { reject(); }

 protected:
  explicit FolderPicker(QWidget* parent);
  // Shows start, or the current folder when start is empty or does not exist; returns the
  // folder shown.
  QString load(const QString& start);
  // Takes the checked result (trimmed, ending in the separator).
  virtual void takeResult(const QString& result) = 0;

 private:
  DriveFolderList* list_;
  QLineEdit* text1_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// Settings folder: workPath and the stored setting, written only on OK.
class SettingsFolderPicker : public FolderPicker {
  Q_OBJECT

 public:
  SettingsFolderPicker(State& s, QWidget* parent = nullptr);
  ~SettingsFolderPicker() override { text1()->removeEventFilter(this); }
  // Leaving the path field puts the separator on a typed folder.
  void text1LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void takeResult(const QString& result) override;

 private:
  State& s_;
};

// General folder: starts on startFolder; picked() is the folder taken with OK, empty when
// cancelled.
class GeneralFolderPicker : public FolderPicker {
  Q_OBJECT

 public:
  explicit GeneralFolderPicker(const QString& startFolder, QWidget* parent = nullptr);
  QString picked() const { return picked_; }

 protected:
  void takeResult(const QString& result) override;

 private:
  QString picked_;
};

// The browse button of a folder field: the general picker starts on the field's text, and a
// folder picked with OK replaces it; a cancelled picker leaves the field as it was.
void browseForFolder(QLineEdit& field, QWidget* parent);

}  // namespace sorv
