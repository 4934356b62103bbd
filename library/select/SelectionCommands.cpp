// The selection window's buttons, the preview popup and the search-path boxes.
#include <exception>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/select/SelectionWindow.h"
#include "panel/info/SongInfo.h"
#include "playback/PlayList.h"
#include "playback/PlayOrder.h"
#include "playback/Playback.h"

namespace sorv {

void frmEdit::btn_Click(int index) {
  switch (index) {
    case 0:
      ChooseSongs();
      break;
    case 1:
      StorePaths();
      hide();
      break;
    case 2:
    case 5: {
      const bool reuse = index == 5 && s_.EditFlag != 0;
      ClearMarks();
      Tree->ClearNodes();
      RunSearch(reuse ? 1 : 0);
      if (index == 5) s_.EditFlag = fileCount_ > 0 ? -1 : 0;
      break;
    }
    case 3:
      if (openCopy) openCopy([this] { return CollectCheckedKeys(); });
      break;
    case 4:
      if (openExport) openExport([this] { return CollectCheckedKeys(); });
      break;
    default:
      break;
  }
}

void frmEdit::ChooseSongs() {
  QString step = QStringLiteral("start");
  try {
    step = QStringLiteral("GetNodeKey");
    const QStringList keys = CollectCheckedKeys();
    step = QStringLiteral("SetFileTable");
    SetFileTable(s_, view_, keys);
    step = QStringLiteral("TblShuffle");
    if (s_.ShuffleMode == 1) TblShuffle(s_);
    s_.ListPos = 1;
    step = QStringLiteral("PlayData");
    if (PlayData(s_, decoder_, view_, s_.ListPos) == -1) s_.PlayState = 1;
    step = QStringLiteral("cdisp.refresh");
    view_.SetCounter(QStringLiteral("0001 / ") + Format0000(keys.size()));
    step = QStringLiteral("datapath");
    StorePaths();
    view_.SetCaption(s_.PlayingCaption());
    hide();
  } catch (const std::exception& e) {
    ShowMessage(step + u':' + QString::fromUtf8(e.what()));
  }
}

void frmEdit::StorePaths() {
  for (int i = 0; i < 3; ++i) {
    QString path = DataPath[i]->text();
    s_.PathDir[i + 1] = PathWithSep(path);
  }
}

void frmEdit::Edtpop_Click(int index) {
  if (index == 1) Preview();
  if (index == 2) StopPreview();
}

void frmEdit::Preview() {
  s_.PlayState = 0;
  view_.SetCaption(s_.IdleCaption());
  decoder_.vbmp3_stop();
  ShowIdlePanel(view_.MPanel(), s_.VerNo);
  view_.APanel().Cls();
  view_.SetTime(QString());
  ClearLyricWindow(s_, view_);
  StopPreview();
  if (!popupNode_) return;
  const QString key = SongTreeWidget::KeyOf(popupNode_);
  OpenRecord record;
  if (!decoder_.vbmp3_open(key.toStdString(), record)) {
    ShowMessage(key + QStringLiteral("が開けません。"));
  } else if (!decoder_.vbmp3_play()) {
    ShowMessage(key + QStringLiteral("が演奏出来ません"));
  } else {
    Edtpop[2]->setEnabled(true);
  }
}

void frmEdit::StopPreview() {
  int32_t position = 0;
  if (decoder_.vbmp3_getState(position) != 0) decoder_.vbmp3_stop();
  decoder_.vbmp3_close();
  Edtpop[2]->setEnabled(false);
}

void frmEdit::SetBtn_Click(int index) {
  s_.PickedDir = DataPath[index]->text();
  if (!pickFolder) return;
  pickFolder();
  if (!s_.PickedDir.isEmpty()) DataPath[index]->setText(s_.PickedDir);
}

void frmEdit::DataPath_LostFocus(int index) {
  QString path = DataPath[index]->text();
  s_.PathDir[index + 1] = PathWithSep(path);
  DataPath[index]->setText(s_.PathDir[index + 1]);
}

}  // namespace sorv
