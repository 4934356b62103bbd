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

SelectionWindow::SelectionWindow(Player& player, QWidget* parent)
    : QDialog(parent),
      player_(player),
      s_(player.state()),
      decoder_(player.engine()),
      view_(player.view()),
      runner_(new SearchRunner(player.engine(), this)) {
  connect(runner_, &SearchRunner::progress, this, &QWidget::setWindowTitle);
  connect(runner_, &SearchRunner::finished, this, &SelectionWindow::finishSearch);
  setModal(true);
  setWindowTitle(QStringLiteral("選曲（ ---- 件）"));
  buildLayout();
  load();
}

void SelectionWindow::buildLayout() {
  tree = new SongTreeView(this);
  tree->setObjectName(QStringLiteral("Tree"));
  tree->setMinimumSize(380, 460);
  tree->mouseUp = [this](Qt::MouseButton b, int node, QPoint at) { treeMouseUp(b, node, at); };
  tree->spaceKey = [this] { treeSpaceKey(); };

  pop = new QMenu(this);
  edtpop[1] = pop->addAction(QStringLiteral("再生"), this, [this] { edtpopClick(1); });
  edtpop[2] = pop->addAction(QStringLiteral("停止"), this, [this] { edtpopClick(2); });

  auto* side = new QVBoxLayout;
  side->addWidget(buildOptions());
  side->addWidget(buildPaths());
  side->addStretch();
  side->addWidget(buildButtons());
  auto* main = new QHBoxLayout(this);
  main->addWidget(tree, 1);
  main->addLayout(side);
}

QWidget* SelectionWindow::buildOptions() {
  auto* frame = new QGroupBox(QStringLiteral("選曲オプション"), this);
  frame->setToolTip(QStringLiteral("選択候補の条件指定を行います。"));
  auto* grid = new QGridLayout(frame);
  const FilterBoxes initial = initialFilterBoxes();
  for (int i = 0; i < kFilterBoxes; ++i) {
    edtChk[i] = new QCheckBox(QString::fromUtf8(kBoxCaptions[i]), frame);
    edtChk[i]->setChecked(initial[i]);
  }
  grid->addWidget(edtChk[0], 0, 0, 1, 2);
  for (int i = 1; i <= 6; ++i) grid->addWidget(edtChk[i], 1 + (i - 1) / 2, (i - 1) % 2);
  grid->addWidget(edtChk[7], 4, 0, 1, 2);
  for (int i = 8; i <= 12; ++i) grid->addWidget(edtChk[i], 5 + (i - 8) / 2, (i - 8) % 2);

  sStr = new QLineEdit(frame);
  sStr->setToolTip(QStringLiteral(
      "曲名、アーティスト名、番組名などに対して部分一致検索を行う文字列を指定します。"));
  sStr->installEventFilter(this);
  grid->addWidget(new QLabel(QStringLiteral("文字列検索"), frame), 8, 0);
  grid->addWidget(sStr, 8, 1);

  sortSel = new QComboBox(frame);
  sortSel->addItems({QStringLiteral("アニメタイトル"), QStringLiteral("曲名"),
                     QStringLiteral("アーティスト"), QStringLiteral("制作年")});
  sortSel->setToolTip(QStringLiteral("曲目の並び順を指定します。"));
  grid->addWidget(new QLabel(QStringLiteral("表示順"), frame), 9, 0);
  grid->addWidget(sortSel, 9, 1);
  return frame;
}

QWidget* SelectionWindow::buildPaths() {
  auto* frame = new QGroupBox(QStringLiteral("検索パス"), this);
  auto* grid = new QGridLayout(frame);
  for (int i = 0; i < 3; ++i) {
    dataPath[i] = new QLineEdit(frame);
    setBtn[i] = new QPushButton(QStringLiteral("参照"), frame);
    connect(dataPath[i], &QLineEdit::editingFinished, this, [this, i] { dataPathLostFocus(i); });
    connect(setBtn[i], &QPushButton::clicked, this, [this, i] { setBtnClick(i); });
    grid->addWidget(dataPath[i], i, 0);
    grid->addWidget(setBtn[i], i, 1);
  }
  return frame;
}

QWidget* SelectionWindow::buildButtons() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  // Laid out as pairs: search, full search / copy, export / done, cancel.
  const int cell[6][2] = {{2, 0}, {2, 1}, {0, 1}, {1, 0}, {1, 1}, {0, 0}};
  for (int i = 0; i < 6; ++i) {
    btn[i] = new QPushButton(QString::fromUtf8(kButtons[i].caption), box);
    btn[i]->setToolTip(QString::fromUtf8(kButtons[i].toolTip));
    btn[i]->setAutoDefault(false);
    connect(btn[i], &QPushButton::clicked, this, [this, i] { runCommand(i); });
    grid->addWidget(btn[i], cell[i][0], cell[i][1]);
  }
  btn[5]->installEventFilter(this);
  return box;
}

void SelectionWindow::load() {
  sortSel->setCurrentIndex(0);
  for (int i = 0; i < 3; ++i) dataPath[i]->setText(pathWithSep(s_.pathDir[i + 1]));
  enableSelectionButtons();
  edtpop[2]->setEnabled(false);
}

void SelectionWindow::enableSelectionButtons() {
  for (int i : {0, 3, 4}) btn[i]->setEnabled(checkCount_ != 0);
}

void SelectionWindow::appendFilter(QString& sql) const {
  FilterBoxes boxes{};
  for (int i = 0; i < kFilterBoxes; ++i) boxes[i] = edtChk[i]->isChecked();
  sorv::appendFilter(sql, boxes, sStr->text());
}

// The window lives as long as the program, made before the saved folders are read: the boxes
// take them when it is first shown, and keep what the user typed after that.
void SelectionWindow::showEvent(QShowEvent* event) {
  if (!shownOnce_) load();
  shownOnce_ = true;
  QDialog::showEvent(event);
}

// Closed or cancelled while a search runs: its tree would land in a window nobody waits on.
// However the window goes (選曲完了, キャンセル, Escape, the title bar), the folders in its
// boxes are kept.
void SelectionWindow::hideEvent(QHideEvent* event) {
  cancelSearch();
  storePaths();
  QDialog::hideEvent(event);
}

// Enter in the search text moves to 検索, and a second Enter there runs it: the buttons are not
// auto-default, so without this the second key would go nowhere.
bool SelectionWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && watched == sStr && !sStr->text().isEmpty()) {
      btn[5]->setFocus();
      return true;
    }
    if (enter && watched == btn[5]) {
      btn[5]->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sorv
