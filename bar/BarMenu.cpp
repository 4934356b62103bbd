// The bar's right-click menu and what its items do.
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

#include "bar/Bar.h"
#include "playback/PlayOrder.h"

namespace sorv {

namespace {

void Call(const std::function<void()>& open) {
  if (open) open();
}

}  // namespace

void Bar::BuildMenu() {
  popup_ = new QMenu(QStringLiteral("ポップアップメニュー"), this);
  popup_->setObjectName(QStringLiteral("popup"));
  AddItem("opt", QStringLiteral("設定"), &Bar::opt_Click);
  selSong_ = AddItem("SelSong", QStringLiteral("選曲"), &Bar::SelSong_Click);
  loopPlay_ = AddCheckItem("loopPlay", QStringLiteral("ループ再生"), &Bar::loopPlay_Click);
  shufflePlay_ =
      AddCheckItem("shufflePlay", QStringLiteral("曲順シャッフル"), &Bar::shufflePlay_Click);
  AddItem("LyricDisp", QStringLiteral("歌詞ウインドウ表示"), &Bar::LyricDisp_Click);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen"));
  barHide_ = AddCheckItem("BarHide", QStringLiteral("バーを隠す"), &Bar::BarHide_Click);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen2"));
  AddItem("about", QStringLiteral("そるばねについて"), &Bar::about_Click);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen3"));
  AddItem("endend", QStringLiteral("終了"), &Bar::endend_Click);
}

QAction* Bar::AddItem(const char* name, const QString& caption, void (Bar::*handler)()) {
  QAction* item = popup_->addAction(caption);
  item->setObjectName(QLatin1String(name));
  connect(item, &QAction::triggered, this, handler);
  return item;
}

// The handlers decide from the mark the item carries when it is chosen, so the automatic
// toggle of a checkable action is undone before they run.
QAction* Bar::AddCheckItem(const char* name, const QString& caption, void (Bar::*handler)()) {
  QAction* item = popup_->addAction(caption);
  item->setObjectName(QLatin1String(name));
  item->setCheckable(true);
  connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
    item->setChecked(!checked);
    (this->*handler)();
  });
  return item;
}

void Bar::Form_MouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  SetSelSongEnabled(s_.DbState != 0);
  popup_->popup(QCursor::pos());
}

void Bar::SetSelSongEnabled(bool enabled) {
  selSong_->setEnabled(enabled);
}

void Bar::LoopShuffleChecks() {
  loopPlay_->setChecked(s_.LoopMode != 0);
  shufflePlay_->setChecked(s_.ShuffleMode != 0);
}

void Bar::opt_Click() {
  const int16_t hideBefore = s_.BarHideOpt;
  Call(openOptions);
  if (s_.BarHideOpt != hideBefore) barHide_->setChecked(s_.BarHideOpt == 1);
}

void Bar::SelSong_Click() {
  Call(openSelection);
}

void Bar::about_Click() {
  Call(openAbout);
}

void Bar::LyricDisp_Click() {
  Call(openLyrics);
}

// The panel's LoopShuffleOnOff mirrors loop and shuffle on both windows; the bar also sets its
// own marks, so its menu is right even before a panel is wired to it.
void Bar::loopPlay_Click() {
  s_.LoopMode = loopPlay_->isChecked() ? 0 : 1;
  v_.LoopShuffleOnOff();
  LoopShuffleChecks();
}

void Bar::shufflePlay_Click() {
  if (shufflePlay_->isChecked()) {
    s_.ShuffleMode = 0;
  } else {
    s_.ShuffleMode = 1;
    v_.SetEndTimerEnabled(false);
    TblShuffle(s_);
    v_.SetEndTimerEnabled(true);
  }
  v_.LoopShuffleOnOff();
  LoopShuffleChecks();
}

// Hiding and showing again re-applies the window's stacking; the position stays, so a bar that
// is up stays up until the pointer watch brings it down.
void Bar::BarHide_Click() {
  if (s_.BarHideOpt != 0) {
    barHide_->setChecked(false);
    s_.BarHideOpt = 0;
    hide();
    const QPointer<Bar> alive(this);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (alive) show();
  } else {
    barHide_->setChecked(true);
    s_.BarHideOpt = 1;
    hide();
    show();
  }
}

void Bar::endend_Click() {
  if (int32_t position = 0; d_.vbmp3_getState(position) != 0) {
    d_.vbmp3_stop();
    d_.vbmp3_close();
  }
  Call(exitProgram);
}

}  // namespace sorv
