#include "library/select/SelectionWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Paths.h"

namespace sorv {

namespace {

const char* const kBoxCaptions[kFilterBoxes] = {"存在するもののみ表示",
                                                "未登録分も表示",
                                                "オープニング",
                                                "エンディング",
                                                "挿入歌",
                                                "テーマソング",
                                                "イメージソング・その他",
                                                "カラオケ",
                                                "ＴＶ",
                                                "OVA",
                                                "劇場版",
                                                "TV特番",
                                                "その他"};

struct ButtonText {
  const char* caption;
  const char* toolTip;
};
const ButtonText kButtons[6] = {
    {"選曲完了", "選択した曲の連続再生を行います。"},
    {"選曲取消", ""},
    {"全検索", "条件に合う曲の検索を行います。（パス上のＭＰ３データ再検索も行います）"},
    {"MP3コピー", "選択した曲データを指定した場所にコピーすることが出来ます。"},
    {"WAV変換", "選択した曲を指定した場所へＷＡＶ形式で出力出来ます。"},
    {"検索", "条件に合う曲の検索を行います。"}};

}  // namespace

frmEdit::frmEdit(State& s, Decoder& decoder, PlayerView& view, QWidget* parent)
    : QDialog(parent), s_(s), decoder_(decoder), view_(view) {
  setModal(true);
  setWindowTitle(QStringLiteral("選曲（ ---- 件）"));
  BuildLayout();
  Load();
}

void frmEdit::BuildLayout() {
  Tree = new SongTreeWidget(this);
  Tree->setMinimumSize(380, 460);
  Tree->mouseDown = [this](Qt::MouseButton b, QTreeWidgetItem* node, QPoint) {
    Tree_MouseDown(b, node);
  };
  Tree->mouseUp = [this](Qt::MouseButton b, QTreeWidgetItem* node, QPoint at) {
    Tree_MouseUp(b, node, at);
  };
  Tree->spaceKey = [this] { Tree_SpaceKey(); };

  pop = new QMenu(this);
  Edtpop[1] = pop->addAction(QStringLiteral("再生"), this, [this] { Edtpop_Click(1); });
  Edtpop[2] = pop->addAction(QStringLiteral("停止"), this, [this] { Edtpop_Click(2); });

  auto* side = new QVBoxLayout;
  side->addWidget(BuildOptions());
  side->addWidget(BuildPaths());
  side->addStretch();
  side->addWidget(BuildButtons());
  auto* main = new QHBoxLayout(this);
  main->addWidget(Tree, 1);
  main->addLayout(side);
}

QWidget* frmEdit::BuildOptions() {
  auto* frame = new QGroupBox(QStringLiteral("選曲オプション"), this);
  frame->setToolTip(QStringLiteral("選択候補の条件指定を行います。"));
  auto* grid = new QGridLayout(frame);
  const FilterBoxes initial = InitialFilterBoxes();
  for (int i = 0; i < kFilterBoxes; ++i) {
    EdtChk[i] = new QCheckBox(QString::fromUtf8(kBoxCaptions[i]), frame);
    EdtChk[i]->setChecked(initial[i]);
  }
  grid->addWidget(EdtChk[0], 0, 0, 1, 2);
  for (int i = 1; i <= 6; ++i) grid->addWidget(EdtChk[i], 1 + (i - 1) / 2, (i - 1) % 2);
  grid->addWidget(EdtChk[7], 4, 0, 1, 2);
  for (int i = 8; i <= 12; ++i) grid->addWidget(EdtChk[i], 5 + (i - 8) / 2, (i - 8) % 2);

  SStr = new QLineEdit(frame);
  SStr->setToolTip(QStringLiteral(
      "曲名、アーティスト名、番組名などに対して部分一致検索を行う文字列を指定します。"));
  SStr->installEventFilter(this);
  grid->addWidget(new QLabel(QStringLiteral("文字列検索"), frame), 8, 0);
  grid->addWidget(SStr, 8, 1);

  SortSel = new QComboBox(frame);
  SortSel->addItems({QStringLiteral("アニメタイトル"), QStringLiteral("曲名"),
                     QStringLiteral("アーティスト"), QStringLiteral("制作年")});
  SortSel->setToolTip(QStringLiteral("曲目の並び順を指定します。"));
  grid->addWidget(new QLabel(QStringLiteral("表示順"), frame), 9, 0);
  grid->addWidget(SortSel, 9, 1);
  return frame;
}

QWidget* frmEdit::BuildPaths() {
  auto* frame = new QGroupBox(QStringLiteral("検索パス"), this);
  auto* grid = new QGridLayout(frame);
  for (int i = 0; i < 3; ++i) {
    DataPath[i] = new QLineEdit(frame);
    SetBtn[i] = new QPushButton(QStringLiteral("参照"), frame);
    connect(DataPath[i], &QLineEdit::editingFinished, this, [this, i] { DataPath_LostFocus(i); });
    connect(SetBtn[i], &QPushButton::clicked, this, [this, i] { SetBtn_Click(i); });
    grid->addWidget(DataPath[i], i, 0);
    grid->addWidget(SetBtn[i], i, 1);
  }
  return frame;
}

QWidget* frmEdit::BuildButtons() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  // Laid out as pairs: search, full search / copy, export / done, cancel.
  const int cell[6][2] = {{2, 0}, {2, 1}, {0, 1}, {1, 0}, {1, 1}, {0, 0}};
  for (int i = 0; i < 6; ++i) {
    btn[i] = new QPushButton(QString::fromUtf8(kButtons[i].caption), box);
    btn[i]->setToolTip(QString::fromUtf8(kButtons[i].toolTip));
    btn[i]->setAutoDefault(false);
    connect(btn[i], &QPushButton::clicked, this, [this, i] { btn_Click(i); });
    grid->addWidget(btn[i], cell[i][0], cell[i][1]);
  }
  return box;
}

void frmEdit::Load() {
  SortSel->setCurrentIndex(0);
  for (int i = 0; i < 3; ++i) DataPath[i]->setText(PathWithSep(s_.PathDir[i + 1]));
  EnableSelectionButtons();
  Edtpop[2]->setEnabled(false);
}

void frmEdit::EnableSelectionButtons() {
  for (int i : {0, 3, 4}) btn[i]->setEnabled(s_.CheckCount != 0);
}

void frmEdit::AppendFilter(QString& sql) const {
  FilterBoxes boxes{};
  for (int i = 0; i < kFilterBoxes; ++i) boxes[i] = EdtChk[i]->isChecked();
  sorv::AppendFilter(sql, boxes, SStr->text());
}

bool frmEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SStr && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !SStr->text().isEmpty()) {
      btn[5]->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sorv
