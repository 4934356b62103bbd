#include "tools/AboutBox.h"

#include <QFrame>

#include "core/AppIcon.h"
#include "core/Fonts.h"
#include "tools/SysInfo.h"
#include "tools/Twips.h"

namespace sorv {

namespace {

const char* const kDescription =
    "　このプログラムは、多くのＭＰ３データを管理し、それらを容易に利用"
    "出来るようにすることを目的として作成されたＭＰ３プレイヤーです。\n"
    "　特に、アニメソング、特撮ソング、ゲームソングのコレクションに最適です。";

}  // namespace

AboutBox::AboutBox(State& s, AudioEngine& d, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("そるばねのﾊﾞｰｼﾞｮﾝ情報"));
  setModal(true);
  setFixedSize(twipsToPixels(5850), twipsToPixels(3600));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  setFont(QFont(QString::fromUtf8(kGothic), 9));
  auto* picIcon = new QLabel(this);
  picIcon->setPixmap(QPixmap::fromImage(paintAppIcon(48)));
  picIcon->setGeometry(8, 8, 48, 48);
  addLabel(QStringLiteral("そるばね － アニソンＭＰ３プレイヤー"), Qt::yellow, 1020, 240, 3885,
           240);
  lblVersion_ = addLabel(QStringLiteral("そるばね    Version ") + s.verNo + QLatin1Char('\n') +
                             QStringLiteral("VBMP3.DLL   Version ") + versionText(d.version()),
                         QColor(128, 128, 255), 1050, 570, 3885, 465);
  lblDescription_ =
      addLabel(QString::fromUtf8(kDescription), QColor(224, 224, 224), 1050, 1080, 3885, 930);
  lblDescription_->setWordWrap(true);
  addLabel(QStringLiteral("Copyright (C) Sorvane developers"), QColor(0, 192, 0), 1020, 2100, 3975,
           255);
  addLabel(QStringLiteral("このプログラムは VBMP3.DLL を利用して作成されています。"),
           QColor(192, 192, 192), 255, 2625, 3870, 435)
      ->setWordWrap(true);
  addSeparator(2010);
  addSeparator(2520);
  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdSysInfo_ = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
  placeTwips(cmdOK_, 4245, 2625, 1380, 345);
  placeTwips(cmdSysInfo_, 4260, 3075, 1380, 345);
  cmdOK_->setDefault(true);
  fitDescription();
  connect(cmdOK_, &QPushButton::clicked, this, &AboutBox::cmdOKClick);
  connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutBox::cmdSysInfoClick);
}

QString AboutBox::versionText(int32_t version) {
  const QString digits = QString::number(version);
  return digits.left(1) + QLatin1Char('.') + digits.right(2);
}

void AboutBox::cmdSysInfoClick() {
  startSysInfo();
}

QLabel* AboutBox::addLabel(const QString& text, const QColor& color, int left, int top, int width,
                           int height) {
  auto* label = new QLabel(text, this);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  placeTwips(label, left, top, width, height);
  return label;
}

// The description wraps to more lines than its frame holds with some fonts: the frame grows to its
// text, and what lies below it moves down with the dialog's bottom edge.
void AboutBox::fitDescription() {
  const QRect frame = lblDescription_->geometry();
  const int overflow = lblDescription_->heightForWidth(frame.width()) - frame.height();
  if (overflow <= 0) return;
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (child->y() > frame.top()) child->move(child->x(), child->y() + overflow);
  lblDescription_->resize(frame.width(), frame.height() + overflow);
  setFixedSize(width(), height() + overflow);
}

void AboutBox::addSeparator(int top) {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setStyleSheet(QStringLiteral("color: #808080;"));
  placeTwips(line, 120, top, 5610, 30);
}

}  // namespace sorv
