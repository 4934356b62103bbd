#include "tools/OptionsDialog.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "library/db/SongDb.h"
#include "tools/FolderPickers.h"

namespace sorv {

namespace {

const char* const kCheckCaptions[5] = {"アニソンＤＢを参照する", "スペアナ、オシロを表示する",
                                       "選択曲情報を保存する", "バーを初期表示", "バーを隠す"};

struct PathField {
  const char* label;
  const char* toolTip;
};

const PathField kPathFields[3] = {
    {"選択曲情報ファイル出力先", "終了時に保存される現在の選曲情報を出力するパスを指定します。"},
    {"データベース格納先", "sorvdb.mdbが存在するパスを指定します。"},
    {"歌詞ファイル格納先",
     "歌詞ファイルが存在するパスを指定します。なお、歌詞ファイルの検索はＭＰ３データと同一フォルダ"
     "に対しても行われます。"},
};

// The five check-box options in the order of their boxes.
std::array<int16_t*, 5> checkOptions(State& s) {
  return {&s.useSongDb, &s.showScope, &s.saveSelInfo, &s.barFirstOpt, &s.barHideOpt};
}

}  // namespace

OptionsDialog::OptionsDialog(Player& player, QWidget* parent)
    : QDialog(parent), player_(player), s_(player.state()), d_(player.engine()), v_(player.view()) {
  setWindowTitle(QStringLiteral("設定"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildOptions());
  auto* row = new QHBoxLayout;
  row->addWidget(buildTiming());
  row->addWidget(buildCpu());
  row->addWidget(buildLoudness());
  layout->addLayout(row);
  layout->addWidget(buildPaths());
  layout->addWidget(buildButtons());
  formLoad();
}

OptionsDialog::~OptionsDialog() {
  for (QLineEdit* field : filpath_) field->removeEventFilter(this);
}

QWidget* OptionsDialog::buildOptions() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 5; ++i) {
    check1_[i] = new QCheckBox(QString::fromUtf8(kCheckCaptions[i]), box);
    layout->addWidget(check1_[i]);
  }
  otherFormats_ = new QCheckBox(QStringLiteral("MP3以外の音声ファイルも対象にする"), box);
  otherFormats_->setToolTip(QStringLiteral(
      "FLAC、M4A、Ogg、Opus、WAV、AIFFのファイルもフォルダ検索とドロップの対象にします。"));
  layout->addWidget(otherFormats_);
  return box;
}

QWidget* OptionsDialog::buildTiming() {
  auto* frame = new QGroupBox(QStringLiteral("歌詞切替タイミング"), this);
  frame->setToolTip(
      QStringLiteral("歌詞の切替タイミングをＷｉｎａｍｐに合わせるかどうかを指定します。"));
  auto* layout = new QVBoxLayout(frame);
  timing_[0] = new QRadioButton(QStringLiteral("Winamp時間"), frame);
  timing_[1] = new QRadioButton(QStringLiteral("標準時間"), frame);
  layout->addWidget(timing_[0]);
  layout->addWidget(timing_[1]);
  return frame;
}

QWidget* OptionsDialog::buildCpu() {
  auto* frame = new QGroupBox(QStringLiteral("CPU負荷調整"), this);
  frame->setToolTip(QStringLiteral("再生開始直後におけるＣＰＵ負荷の調整を行います。"));
  auto* layout = new QVBoxLayout(frame);
  cpu_ = new QSlider(Qt::Horizontal, frame);
  cpu_->setRange(kCpuMin, kCpuMax);
  cpu_->setPageStep(5);
  cpu_->setTickPosition(QSlider::TicksBelow);
  cpu_->setTickInterval(5);
  layout->addWidget(cpu_);
  auto* ends = new QHBoxLayout;
  ends->addWidget(new QLabel(QStringLiteral("Low"), frame));
  ends->addStretch();
  ends->addWidget(new QLabel(QStringLiteral("High"), frame));
  layout->addLayout(ends);
  return frame;
}

QWidget* OptionsDialog::buildLoudness() {
  auto* frame = new QGroupBox(QStringLiteral("音量の均一化"), this);
  frame->setToolTip(
      QStringLiteral("曲ごとの音量の差をReplayGain (-18 LUFS) "
                     "に合わせてそろえます。音が割れることはありません。"));
  auto* layout = new QVBoxLayout(frame);
  const char* const captions[3] = {"しない", "曲ごと", "アルバムごと"};
  for (int i = 0; i < 3; ++i) {
    loudness_[i] = new QRadioButton(QString::fromUtf8(captions[i]), frame);
    layout->addWidget(loudness_[i]);
  }
  return frame;
}

QWidget* OptionsDialog::buildPaths() {
  auto* frame = new QGroupBox(QStringLiteral("データパス"), this);
  auto* layout = new QVBoxLayout(frame);
  for (int i = 0; i < 3; ++i) {
    layout->addWidget(new QLabel(QString::fromUtf8(kPathFields[i].label), frame));
    auto* row = new QHBoxLayout;
    filpath_[i] = new QLineEdit(frame);
    filpath_[i]->setToolTip(QString::fromUtf8(kPathFields[i].toolTip));
    filpath_[i]->setMinimumWidth(320);
    filpath_[i]->installEventFilter(this);
    command2_[i] = new QPushButton(QStringLiteral("参照"), frame);
    connect(command2_[i], &QPushButton::clicked, this, [this, i] { command2Click(i); });
    row->addWidget(filpath_[i]);
    row->addWidget(command2_[i]);
    layout->addLayout(row);
  }
  return frame;
}

QWidget* OptionsDialog::buildButtons() {
  auto* box = new QWidget(this);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  command1_ = new QPushButton(QStringLiteral("設定情報保存先変更"), box);
  cmdOK_ = new QPushButton(QStringLiteral("OK"), box);
  cmdCancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), box);
  cmdOK_->setDefault(true);
  layout->addWidget(command1_);
  layout->addStretch();
  layout->addWidget(cmdOK_);
  layout->addWidget(cmdCancel_);
  connect(command1_, &QPushButton::clicked, this, &OptionsDialog::command1Click);
  connect(cmdOK_, &QPushButton::clicked, this, &OptionsDialog::cmdOKClick);
  connect(cmdCancel_, &QPushButton::clicked, this, &OptionsDialog::cmdCancelClick);
  return box;
}

void OptionsDialog::formLoad() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  const auto options = checkOptions(s_);
  for (int i = 0; i < 5; ++i) check1_[i]->setChecked(*options[i] == 1);
  otherFormats_->setChecked(s_.otherFormats);
  loudness_[std::clamp<int>(s_.loudnessMode, 0, 2)]->setChecked(true);
  timing_[s_.lyricTimeMode == 1 ? 1 : 0]->setChecked(true);
  for (int i = 0; i < 3; ++i) filpath_[i]->setText(pathWithSep(s_.pathDir[4 + i]));
  cpu_->setValue(s_.cpuLoad);
  // A stored load outside the slider's range is clamped on screen; only a move of the slider
  // counts as a change, so OK alone never interrupts playback.
  cpuAtLoad_ = cpu_->value();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (int i = 0; i < 3; ++i)
      if (watched == filpath_[i]) filpathLostFocus(i);
  }
  return QDialog::eventFilter(watched, event);
}

void OptionsDialog::filpathLostFocus(int i) {
  QString text = filpath_[i]->text();
  s_.pathDir[4 + i] = pathWithSep(text);
  filpath_[i]->setText(text);
}

void OptionsDialog::command1Click() {
  SettingsFolderPicker dialog(s_, this);
  dialog.exec();
}

void OptionsDialog::command2Click(int i) {
  browseForFolder(*filpath_[i], this);
}

void OptionsDialog::cmdOKClick() {
  const auto options = checkOptions(s_);
  for (int i = 0; i < 5; ++i) *options[i] = check1_[i]->isChecked() ? 1 : 0;
  s_.otherFormats = otherFormats_->isChecked();
  for (int16_t mode = 0; mode < 3; ++mode) {
    if (loudness_[mode]->isChecked()) s_.loudnessMode = mode;
  }
  saveExtraOptions(s_);
  s_.lyricTimeMode = timing_[0]->isChecked() ? 0 : 1;
  d_.setLyricsTiming(s_.lyricTimeMode);
  for (int i = 0; i < 3; ++i) {
    QString text = filpath_[i]->text();
    s_.pathDir[4 + i] = pathWithSep(text);
  }
  v_.showDispMode();
  if (cpu_->value() != cpuAtLoad_) applyCpuLoad();
  recheckSongDb();
  accept();
}

void OptionsDialog::applyCpuLoad() {
  player_.stop();
  EngineOption option;
  d_.getEngineOption(option);
  option.field[2] = cpu_->value();
  if (d_.setEngineOption(option))
    s_.cpuLoad = static_cast<int16_t>(cpu_->value());
  else
    showMessage(QStringLiteral("CPU負荷設定の変更に失敗しました"));
}

void OptionsDialog::recheckSongDb() {
  s_.dbState = SongDbState::Closed;
  if (songDbOpens(songDbPath(s_))) s_.dbState = SongDbState::Open;
  v_.setSelectionAvailable(s_.songDbUsable());
}

}  // namespace sorv
