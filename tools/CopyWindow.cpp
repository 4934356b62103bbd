#include "tools/CopyWindow.h"

#include <QCoreApplication>

#include "core/Messages.h"
#include "core/Paths.h"
#include "tools/FileCopy.h"

namespace sorv {

CopyWindow::CopyWindow(Player& player, CollectChecked collectChecked, QWidget* parent)
    : ToolWindow(player, std::move(collectChecked), parent, QStringLiteral("ＭＰ３ファイルコピー"),
                 {QStringLiteral("コピー開始"), QStringLiteral("コピー取消")}, 1350) {}

void CopyWindow::runCommand(int index) {
  cancel_ = false;
  if (index == 0)
    runCopy();
  else
    reject();
}

void CopyWindow::reject() {
  cancel_ = true;
  QDialog::reject();
}

void CopyWindow::runCopy() {
  if (running_) return;
  running_ = true;
  player_.stop();
  btn(0)->setEnabled(false);
  removeStaleFilesOfTarget();
  const QStringList files = collect_ ? collect_() : QStringList();
  progressBar()->setRange(0, std::max<int>(files.size(), 1));
  progressBar()->setValue(0);
  for (int position = 1; position <= files.size(); ++position) {
    if (!copyOne(files, position)) {
      showMessage(QStringLiteral("コピー中にエラーが発生しました"));
      break;
    }
    QCoreApplication::processEvents();
    if (cancel_) break;
  }
  running_ = false;
  QDialog::reject();
}

bool CopyWindow::copyOne(const QStringList& files, int position) {
  const QString& file = files.at(position - 1);
  ttl()->setText(file);
  setWindowTitle(QStringLiteral("ＭＰ３ファイルコピー中(") + format0000(position) +
                 QStringLiteral("/") + format0000(files.size()) + QStringLiteral(")"));
  if (copyKeepingBoth(file, targetPath(fileNamePart(file))) == CopyResult::Failed) return false;
  progressBar()->setValue(position);
  return true;
}

}  // namespace sorv
