#include "tools/ToolWindow.h"

#include <QDir>

#include "core/Paths.h"
#include "tools/Twips.h"

namespace sorv {

ToolWindow::ToolWindow(State& s, Decoder& d, PlayerView& v, CollectChecked collect, QWidget* parent,
                       const QString& caption, const std::array<QString, 2>& buttons, int buttonTop)
    : QDialog(parent),
      s_(s),
      d_(d),
      v_(v),
      collect_(std::move(collect)),
      list_(new DriveFolderList(this)),
      ttl_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setWindowTitle(caption);
  setModal(true);
  setFixedSize(TwipsToPixels(4395), TwipsToPixels(3150));
  auto* label1 = new QLabel(QStringLiteral("出力先指定"), this);
  label1->move(TwipsToPixels(180), TwipsToPixels(120));
  PlaceTwips(list_->drive(), 120, 420, 2895, 300);
  PlaceTwips(list_->folders(), 120, 780, 2895, 1560);
  for (int i = 0; i < 2; ++i) {
    btn_[i] = new QPushButton(buttons[i], this);
    PlaceTwips(btn_[i], 3180, buttonTop + 540 * i, 975, 435);
    connect(btn_[i], &QPushButton::clicked, this, [this, i] { btn_Click(i); });
  }
  PlaceTwips(ttl_, 120, 2460, 4035, 255);
  PlaceTwips(bar_, 120, 2760, 4035, 195);
  bar_->setTextVisible(false);
  bar_->setValue(0);
  // The output folder starts where the process is.
  list_->setPath(QDir::currentPath());
}

QString ToolWindow::TargetPath(const QString& name) const {
  return list_->path() + kSep + name;
}

}  // namespace sorv
