#include "tools/FolderPickers.h"

#include <QDir>
#include <QEvent>
#include <QLabel>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "tools/FileSystemCheck.h"
#include "tools/Twips.h"

namespace sorv {

FolderPicker::FolderPicker(QWidget* parent)
    : QDialog(parent),
      list_(new DriveFolderList(this)),
      text1_(new QLineEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this)) {
  setModal(true);
  ok_->setDefault(true);
  connect(list_, &DriveFolderList::pathChanged, text1_, &QLineEdit::setText);
  connect(ok_, &QPushButton::clicked, this, &FolderPicker::okButtonClick);
  connect(cancel_, &QPushButton::clicked, this, &FolderPicker::cancelButtonClick);
}

QString FolderPicker::load(const QString& start) {
  const QString folder = pathExists(start) ? start : QDir::currentPath();
  // A file or an unlistable folder still fills the path field; the list stays where it was.
  list_->setPath(folder);
  text1_->setText(folder);
  return folder;
}

void FolderPicker::okButtonClick() {
  QString result = text1_->text().trimmed();
  if (!pathExists(result)) {
    showMessage(QStringLiteral("設定されたパスは存在しません。"));
    return;
  }
  if (!result.endsWith(kSep)) result += kSep;
  takeResult(result);
  accept();
}

SettingsFolderPicker::SettingsFolderPicker(State& s, QWidget* parent)
    : FolderPicker(parent), s_(s) {
  setWindowTitle(QStringLiteral("設置情報ファイル格納先指定"));
  setFixedSize(twipsToPixels(5415), twipsToPixels(3480));
  auto* label1 = new QLabel(QStringLiteral("設定情報ファイルの格納先を指定してください。"), this);
  auto* label2 = new QLabel(QStringLiteral("（推奨：　そるばね.exeと同一のフォルダ）"), this);
  placeTwips(label1, 120, 120, 4935, 195);
  placeTwips(label2, 120, 360, 5175, 195);
  placeTwips(drive1(), 120, 660, 2775, 300);
  placeTwips(dir1(), 120, 1020, 3675, 1140);
  placeTwips(text1(), 120, 2220, 3675, 270);
  placeTwips(okButton(), 1440, 2640, 1095, 375);
  placeTwips(cancelButton(), 2700, 2640, 1095, 375);
  text1()->installEventFilter(this);
  // A settings folder that has gone is replaced for this run whatever the user does next; it
  // keeps its separator so that the files named after it stay inside it.
  QString shown = load(s_.workPath);
  s_.workPath = pathWithSep(shown);
}

void SettingsFolderPicker::text1LostFocus() {
  QString text = text1()->text().trimmed();
  text1()->setText(pathWithSep(text));
}

bool SettingsFolderPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1() && event->type() == QEvent::FocusOut) text1LostFocus();
  return FolderPicker::eventFilter(watched, event);
}

void SettingsFolderPicker::takeResult(const QString& result) {
  s_.workPath = result;
  saveWorkPath(result);
}

GeneralFolderPicker::GeneralFolderPicker(const QString& startFolder, QWidget* parent)
    : FolderPicker(parent) {
  setWindowTitle(QStringLiteral("フォルダ指定"));
  setFixedSize(twipsToPixels(3915), twipsToPixels(3600));
  placeTwips(drive1(), 120, 120, 2655, 300);
  placeTwips(dir1(), 120, 480, 3675, 1770);
  placeTwips(text1(), 120, 2340, 3675, 270);
  placeTwips(okButton(), 1560, 2760, 1035, 375);
  placeTwips(cancelButton(), 2760, 2760, 1035, 375);
  load(startFolder);
}

void GeneralFolderPicker::takeResult(const QString& result) {
  picked_ = result;
}

void browseForFolder(QLineEdit& field, QWidget* parent) {
  GeneralFolderPicker picker(field.text(), parent);
  picker.exec();
  if (!picker.picked().isEmpty()) field.setText(picker.picked());
}

}  // namespace sorv
