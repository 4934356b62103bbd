#include "tools/AboutBox.h"

#include <QFrame>

#include "core/AppIcon.h"
#include "core/Fonts.h"
#include "tools/LibraryVersions.h"
#include "tools/SysInfo.h"
#include "tools/Twips.h"

namespace sorv {

namespace {

const char* const kDescription =
    "　このプログラムは、多くのＭＰ３データを管理し、それらを容易に利用"
    "出来るようにすることを目的として作成されたＭＰ３プレイヤーです。\n"
    "　特に、アニメソング、特撮ソング、ゲームソングのコレクションに最適です。";

}  // namespace

AboutBox::AboutBox(State& s, QWidget* parent) : QDialog(parent) {
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
  lblVersion_ = addLabel(QStringLiteral("そるばね    Version ") + s.verNo, QColor(128, 128, 255),
                         1050, 570, 3885, 465);
  lblDescription_ =
      addLabel(QString::fromUtf8(kDescription), QColor(224, 224, 224), 1050, 1080, 3885, 930);
  lblDescription_->setWordWrap(true);
  addLabel(QStringLiteral("Copyright (C) Sorvane developers"), QColor(0, 192, 0), 1020, 2100, 3975,
           255);
  addLabel(QStringLiteral("このプログラムは次のライブラリを利用しています。"),
           QColor(192, 192, 192), 255, 2625, 3870, 255);
  addLibraries(2910);
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

// Half the libraries in each column, each column as wide as its longest line; the dialog grows
// down to hold them.
void AboutBox::addLibraries(int top) {
  const QList<LibraryVersion> libraries = libraryVersions();
  const qsizetype half = (libraries.size() + 1) / 2;
  int left = twipsToPixels(255);
  for (int column = 0; column < 2; ++column) {
    QStringList lines;
    for (const LibraryVersion& library : libraries.mid(column * half, half))
      lines << library.name + QLatin1Char(' ') + library.version;
    QLabel* label = addLabel(lines.join(QLatin1Char('\n')), QColor(192, 192, 192), 0, top, 0, 0);
    label->setGeometry(QRect(QPoint(left, label->y()), label->sizeHint()));
    left = label->geometry().right() + twipsToPixels(240);
    lblLibraries_[column] = label;
  }
  const int bottom = lblLibraries_[0]->geometry().bottom() + twipsToPixels(120);
  if (bottom > height()) setFixedSize(width(), bottom);
}

void AboutBox::addSeparator(int top) {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setStyleSheet(QStringLiteral("color: #808080;"));
  placeTwips(line, 120, top, 5610, 30);
}

}  // namespace sorv
