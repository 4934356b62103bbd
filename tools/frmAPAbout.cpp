#include "tools/frmAPAbout.h"

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

frmAPAbout::frmAPAbout(State& s, Decoder& d, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("そるばねのﾊﾞｰｼﾞｮﾝ情報"));
  setModal(true);
  setFixedSize(TwipsToPixels(5850), TwipsToPixels(3600));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  setFont(QFont(QString::fromUtf8(kGothic), 9));
  auto* picIcon = new QLabel(this);
  picIcon->setPixmap(QPixmap::fromImage(PaintAppIcon(48)));
  picIcon->setGeometry(8, 8, 48, 48);
  AddLabel(QStringLiteral("そるばね － アニソンＭＰ３プレイヤー"), Qt::yellow, 1020, 240, 3885,
           240);
  lblVersion_ =
      AddLabel(QStringLiteral("そるばね    Version ") + s.VerNo + QLatin1Char('\n') +
                   QStringLiteral("VBMP3.DLL   Version ") + VersionText(d.vbmp3_getVersion()),
               QColor(128, 128, 255), 1050, 570, 3885, 465);
  lblDescription_ =
      AddLabel(QString::fromUtf8(kDescription), QColor(224, 224, 224), 1050, 1080, 3885, 930);
  lblDescription_->setWordWrap(true);
  AddLabel(QStringLiteral("Copyright (C) Sorvane developers"), QColor(0, 192, 0), 1020, 2100, 3975,
           255);
  AddLabel(QStringLiteral("このプログラムは VBMP3.DLL を利用して作成されています。"),
           QColor(192, 192, 192), 255, 2625, 3870, 435)
      ->setWordWrap(true);
  AddSeparator(2010);
  AddSeparator(2520);
  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdSysInfo_ = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
  PlaceTwips(cmdOK_, 4245, 2625, 1380, 345);
  PlaceTwips(cmdSysInfo_, 4260, 3075, 1380, 345);
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &frmAPAbout::cmdOK_Click);
  connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAPAbout::cmdSysInfo_Click);
}

QString frmAPAbout::VersionText(int32_t version) {
  const QString digits = QString::number(version);
  return digits.left(1) + QLatin1Char('.') + digits.right(2);
}

void frmAPAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

QLabel* frmAPAbout::AddLabel(const QString& text, const QColor& color, int left, int top, int width,
                             int height) {
  auto* label = new QLabel(text, this);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(label, left, top, width, height);
  return label;
}

void frmAPAbout::AddSeparator(int top) {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setStyleSheet(QStringLiteral("color: #808080;"));
  PlaceTwips(line, 120, top, 5610, 30);
}

}  // namespace sorv
