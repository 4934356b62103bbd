// The selection window's buttons, the preview popup and the search-path boxes.
#include <exception>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/select/SelectionWindow.h"

namespace sorv {

void SelectionWindow::runCommand(int index) {
  switch (index) {
    case kChooseSongs:
      chooseSongs();
      break;
    case kCancel:
      hide();
      break;
    case kSearchAll:
    case kSearch:
      startSearch(index == kSearchAll || !scanReusable_, index == kSearch);
      break;
    case kCopy:
      emit copyRequested();
      break;
    case kExport:
      emit exportRequested();
      break;
    default:
      break;
  }
}

void SelectionWindow::chooseSongs() {
  QString step = QStringLiteral("start");
  try {
    step = QStringLiteral("GetNodeKey");
    const QStringList keys = collectCheckedKeys();
    step = QStringLiteral("SetFileTable");
    // Nothing ticked keeps the list that plays.
    player_.startNewList(keys, Player::NewListOrder::ShuffledWhenOn);
    hide();
  } catch (const std::exception& e) {
    showMessage(step + u':' + QString::fromUtf8(e.what()));
  }
}

void SelectionWindow::storePaths() {
  for (int i = 0; i < 3; ++i) {
    QString path = dataPath[i]->text();
    s_.pathDir[i + 1] = pathWithSep(path);
  }
}

void SelectionWindow::edtpopClick(int index) {
  if (index == 1) preview();
  if (index == 2) stopPreview();
}

void SelectionWindow::preview() {
  player_.stop();
  stopPreview();
  if (!popupNode_) return;
  const QString key = tree->store().node(popupNode_).key;
  OpenRecord record;
  if (!decoder_.open(key.toStdString(), record)) {
    showMessage(key + QStringLiteral("が開けません。"));
  } else if (!decoder_.play()) {
    showMessage(key + QStringLiteral("が演奏出来ません"));
  } else {
    edtpop[2]->setEnabled(true);
  }
}

void SelectionWindow::stopPreview() {
  int32_t position = 0;
  if (decoder_.state(position) != 0) decoder_.stop();
  decoder_.close();
  edtpop[2]->setEnabled(false);
}

void SelectionWindow::setBtnClick(int index) {
  emit folderPickRequested(dataPath[index]);
}

void SelectionWindow::dataPathLostFocus(int index) {
  QString path = dataPath[index]->text();
  s_.pathDir[index + 1] = pathWithSep(path);
  dataPath[index]->setText(s_.pathDir[index + 1]);
}

}  // namespace sorv
