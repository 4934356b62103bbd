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

FolderPicker::FolderPicker(State& s, QWidget* parent)
    : QDialog(parent),
      s_(s),
      list_(new DriveFolderList(this)),
      text1_(new QLineEdit(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this)) {
  setModal(true);
  ok_->setDefault(true);
  connect(list_, &DriveFolderList::pathChanged, text1_, &QLineEdit::setText);
  connect(ok_, &QPushButton::clicked, this, &FolderPicker::OKButton_Click);
  connect(cancel_, &QPushButton::clicked, this, &FolderPicker::CancelButton_Click);
}

QString FolderPicker::Load(const QString& start) {
  const QString folder = PathExists(start) ? start : QDir::currentPath();
  // A file or an unlistable folder still fills the path field; the list stays where it was.
  list_->setPath(folder);
  text1_->setText(folder);
  return folder;
}

void FolderPicker::OKButton_Click() {
  QString result = text1_->text().trimmed();
  if (!PathExists(result)) {
    ShowMessage(QStringLiteral("設定されたパスは存在しません。"));
    return;
  }
  if (!result.endsWith(kSep)) result += kSep;
  TakeResult(result);
  accept();
}

SetPathDialog::SetPathDialog(State& s, QWidget* parent) : FolderPicker(s, parent) {
  setWindowTitle(QStringLiteral("設置情報ファイル格納先指定"));
  setFixedSize(TwipsToPixels(5415), TwipsToPixels(3480));
  auto* label1 = new QLabel(QStringLiteral("設定情報ファイルの格納先を指定してください。"), this);
  auto* label2 = new QLabel(QStringLiteral("（推奨：　そるばね.exeと同一のフォルダ）"), this);
  PlaceTwips(label1, 120, 120, 4935, 195);
  PlaceTwips(label2, 120, 360, 5175, 195);
  PlaceTwips(Drive1(), 120, 660, 2775, 300);
  PlaceTwips(Dir1(), 120, 1020, 3675, 1140);
  PlaceTwips(Text1(), 120, 2220, 3675, 270);
  PlaceTwips(OKButton(), 1440, 2640, 1095, 375);
  PlaceTwips(CancelButton(), 2700, 2640, 1095, 375);
  Text1()->installEventFilter(this);
  // A settings folder that has gone is replaced for this run whatever the user does next; it
  // keeps its separator so that the files named after it stay inside it.
  QString shown = Load(s_.WorkPath);
  s_.WorkPath = PathWithSep(shown);
}

void SetPathDialog::Text1_LostFocus() {
  QString text = Text1()->text().trimmed();
  Text1()->setText(PathWithSep(text));
}

bool SetPathDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text1() && event->type() == QEvent::FocusOut) Text1_LostFocus();
  return FolderPicker::eventFilter(watched, event);
}

void SetPathDialog::TakeResult(const QString& result) {
  s_.WorkPath = result;
  SaveWorkPath(result);
}

SetFolder::SetFolder(State& s, QWidget* parent) : FolderPicker(s, parent) {
  setWindowTitle(QStringLiteral("フォルダ指定"));
  setFixedSize(TwipsToPixels(3915), TwipsToPixels(3600));
  PlaceTwips(Drive1(), 120, 120, 2655, 300);
  PlaceTwips(Dir1(), 120, 480, 3675, 1770);
  PlaceTwips(Text1(), 120, 2340, 3675, 270);
  PlaceTwips(OKButton(), 1560, 2760, 1035, 375);
  PlaceTwips(CancelButton(), 2760, 2760, 1035, 375);
  Load(s_.PickedDir);
  s_.PickedDir.clear();
}

void SetFolder::TakeResult(const QString& result) {
  s_.PickedDir = result;
}

void BrowseForFolder(State& s, QLineEdit& field, QWidget* parent) {
  s.PickedDir = field.text();
  SetFolder picker(s, parent);
  picker.exec();
  if (!s.PickedDir.isEmpty()) field.setText(s.PickedDir);
}

}  // namespace sorv
