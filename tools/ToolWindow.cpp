#include "tools/ToolWindow.h"

#include <QDir>
#include <QFile>

#include "core/Paths.h"
#include "decoder/WholeFile.h"
#include "tools/Twips.h"

namespace sorv {

ToolWindow::ToolWindow(Player& player, CollectChecked collect, QWidget* parent,
                       const QString& caption, const std::array<QString, 2>& buttons, int buttonTop)
    : QDialog(parent),
      player_(player),
      s_(player.state()),
      d_(player.engine()),
      v_(player.view()),
      collect_(std::move(collect)),
      list_(new DriveFolderList(this)),
      ttl_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setWindowTitle(caption);
  setModal(true);
  setFixedSize(twipsToPixels(4395), twipsToPixels(3150));
  auto* label1 = new QLabel(QStringLiteral("出力先指定"), this);
  label1->move(twipsToPixels(180), twipsToPixels(120));
  placeTwips(list_->drive(), 120, 420, 2895, 300);
  placeTwips(list_->folders(), 120, 780, 2895, 1560);
  for (int i = 0; i < 2; ++i) {
    btn_[i] = new QPushButton(buttons[i], this);
    placeTwips(btn_[i], 3180, buttonTop + 540 * i, 975, 435);
    // Return in the folder list opens the folder: only a click starts or cancels the job.
    btn_[i]->setAutoDefault(false);
    btn_[i]->setDefault(false);
    connect(btn_[i], &QPushButton::clicked, this, [this, i] { runCommand(i); });
  }
  placeTwips(ttl_, 120, 2460, 4035, 255);
  placeTwips(bar_, 120, 2760, 4035, 195);
  bar_->setTextVisible(false);
  bar_->setValue(0);
  // The output folder starts where the process is.
  list_->setPath(QDir::currentPath());
}

QString ToolWindow::targetPath(const QString& name) const {
  return list_->path() + kSep + name;
}

void ToolWindow::removeStaleFilesOfTarget() const {
  removeStaleTemporaries(QFile::encodeName(list_->path()).toStdString());
}

}  // namespace sorv
