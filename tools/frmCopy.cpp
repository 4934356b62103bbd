#include "tools/frmCopy.h"

#include <QCoreApplication>

#include "core/Messages.h"
#include "core/Paths.h"
#include "tools/FileCopy.h"
#include "tools/StopPlayer.h"

namespace sorv {

frmCopy::frmCopy(State& s, Decoder& d, PlayerView& v, CollectChecked collectChecked,
                 QWidget* parent)
    : ToolWindow(s, d, v, std::move(collectChecked), parent, QStringLiteral("ＭＰ３ファイルコピー"),
                 {QStringLiteral("コピー開始"), QStringLiteral("コピー取消")}, 1350) {}

void frmCopy::btn_Click(int index) {
  cancel_ = false;
  if (index == 0)
    RunCopy();
  else
    reject();
}

void frmCopy::reject() {
  cancel_ = true;
  QDialog::reject();
}

void frmCopy::RunCopy() {
  if (running_) return;
  running_ = true;
  ReleasePlayer(s_, d_, v_);
  btn(0)->setEnabled(false);
  const QStringList files = collect_ ? collect_() : QStringList();
  Bar()->setRange(0, std::max<int>(files.size(), 1));
  Bar()->setValue(0);
  for (int position = 1; position <= files.size(); ++position) {
    if (!CopyOne(files, position)) {
      ShowMessage(QStringLiteral("コピー中にエラーが発生しました"));
      break;
    }
    QCoreApplication::processEvents();
    if (cancel_) break;
  }
  running_ = false;
  QDialog::reject();
}

bool frmCopy::CopyOne(const QStringList& files, int position) {
  const QString& file = files.at(position - 1);
  ttl()->setText(file);
  setWindowTitle(QStringLiteral("ＭＰ３ファイルコピー中(") + Format0000(position) +
                 QStringLiteral("/") + Format0000(files.size()) + QStringLiteral(")"));
  if (CopyReplacing(file, TargetPath(FileNamePart(file))) == CopyResult::Failed) return false;
  Bar()->setValue(position);
  return true;
}

}  // namespace sorv
