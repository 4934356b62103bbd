// The selection window's buttons, the preview popup and the search-path boxes.
#include <exception>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/select/SelectionWindow.h"
#include "playback/NewList.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"

namespace sorv {

void SelectionWindow::runCommand(int index) {
  switch (index) {
    case 0:
      chooseSongs();
      break;
    case 1:
      storePaths();
      hide();
      break;
    case 2:
    case 5: {
      const bool reuse = index == 5 && s_.editFlag != 0;
      clearMarks();
      tree->clearNodes();
      runSearch(reuse ? 1 : 0);
      if (index == 5) s_.editFlag = fileCount_ > 0 ? -1 : 0;
      break;
    }
    case 3:
      emit copyRequested();
      break;
    case 4:
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
    setFileTable(s_, view_, keys);
    step = QStringLiteral("TblShuffle");
    if (s_.shuffleMode == 1) tblShuffle(s_);
    s_.listPos = 1;
    step = QStringLiteral("PlayData");
    startEntry(s_, decoder_, view_, s_.listPos);
    step = QStringLiteral("datapath");
    storePaths();
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
  s_.playState = 0;
  view_.setCaption(s_.idleCaption());
  decoder_.stop();
  showIdlePanel(view_.mPanel(), s_.verNo);
  view_.aPanel().cls();
  view_.setTime(QString());
  clearLyricWindow(s_, view_);
  stopPreview();
  if (!popupNode_) return;
  const QString key = SongTreeWidget::keyOf(popupNode_);
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
  s_.pickedDir = dataPath[index]->text();
  emit folderPickRequested();
  if (!s_.pickedDir.isEmpty()) dataPath[index]->setText(s_.pickedDir);
}

void SelectionWindow::dataPathLostFocus(int index) {
  QString path = dataPath[index]->text();
  s_.pathDir[index + 1] = pathWithSep(path);
  dataPath[index]->setText(s_.pathDir[index + 1]);
}

}  // namespace sorv
