// The bar's right-click menu and what its items do.
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

#include "bar/CompactBar.h"
#include "playback/PlayOrder.h"

namespace sorv {

namespace {

void call(const std::function<void()>& open) {
  if (open) open();
}

}  // namespace

void CompactBar::buildMenu() {
  popup_ = new QMenu(QStringLiteral("ポップアップメニュー"), this);
  popup_->setObjectName(QStringLiteral("popup"));
  addItem("opt", QStringLiteral("設定"), &CompactBar::optClick);
  selSong_ = addItem("SelSong", QStringLiteral("選曲"), &CompactBar::selSongClick);
  loopPlay_ = addCheckItem("loopPlay", QStringLiteral("ループ再生"), &CompactBar::loopPlayClick);
  shufflePlay_ =
      addCheckItem("shufflePlay", QStringLiteral("曲順シャッフル"), &CompactBar::shufflePlayClick);
  addItem("LyricDisp", QStringLiteral("歌詞ウインドウ表示"), &CompactBar::lyricDispClick);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen"));
  barHide_ = addCheckItem("BarHide", QStringLiteral("バーを隠す"), &CompactBar::barHideClick);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen2"));
  addItem("about", QStringLiteral("そるばねについて"), &CompactBar::aboutClick);
  popup_->addSeparator()->setObjectName(QStringLiteral("sen3"));
  addItem("endend", QStringLiteral("終了"), &CompactBar::endendClick);
}

QAction* CompactBar::addItem(const char* name, const QString& caption,
                             void (CompactBar::*handler)()) {
  QAction* item = popup_->addAction(caption);
  item->setObjectName(QLatin1String(name));
  connect(item, &QAction::triggered, this, handler);
  return item;
}

// The handlers decide from the mark the item carries when it is chosen, so the automatic
// toggle of a checkable action is undone before they run.
QAction* CompactBar::addCheckItem(const char* name, const QString& caption,
                                  void (CompactBar::*handler)()) {
  QAction* item = popup_->addAction(caption);
  item->setObjectName(QLatin1String(name));
  item->setCheckable(true);
  connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
    item->setChecked(!checked);
    (this->*handler)();
  });
  return item;
}

void CompactBar::formMouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  setSelSongEnabled(s_.songDbUsable());
  popup_->popup(QCursor::pos());
}

void CompactBar::setSelSongEnabled(bool enabled) {
  selSong_->setEnabled(enabled);
}

void CompactBar::loopShuffleChecks() {
  loopPlay_->setChecked(s_.loopMode != 0);
  shufflePlay_->setChecked(s_.shuffleMode != 0);
}

void CompactBar::optClick() {
  const int16_t hideBefore = s_.barHideOpt;
  call(openOptions);
  if (s_.barHideOpt == hideBefore) return;
  barHide_->setChecked(s_.barHideOpt == 1);
  if (s_.barHideOpt == 0 && isVisible()) placeBar(0);
}

void CompactBar::selSongClick() {
  call(openSelection);
}

void CompactBar::aboutClick() {
  call(openAbout);
}

void CompactBar::lyricDispClick() {
  call(openLyrics);
}

// The panel's loopShuffleOnOff mirrors loop and shuffle on both windows; the bar also sets its
// own marks, so its menu is right even before a panel is wired to it.
void CompactBar::loopPlayClick() {
  s_.loopMode = loopPlay_->isChecked() ? 0 : 1;
  v_.loopShuffleOnOff();
  loopShuffleChecks();
}

void CompactBar::shufflePlayClick() {
  if (shufflePlay_->isChecked()) {
    s_.shuffleMode = 0;
  } else {
    s_.shuffleMode = 1;
    v_.setEndTimerEnabled(false);
    tblShuffle(s_);
    v_.setEndTimerEnabled(true);
  }
  v_.loopShuffleOnOff();
  loopShuffleChecks();
}

// Hiding and showing again re-applies the window's stacking. Switching auto-hide on leaves the
// bar where it is for the pointer watch; switching it off puts the bar down, since nothing would
// bring a slid-up bar back any more.
void CompactBar::barHideClick() {
  if (s_.barHideOpt != 0) {
    barHide_->setChecked(false);
    s_.barHideOpt = 0;
    hide();
    const QPointer<CompactBar> alive(this);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!alive) return;
    show();
    placeBar(0);
  } else {
    barHide_->setChecked(true);
    s_.barHideOpt = 1;
    hide();
    show();
  }
}

void CompactBar::endendClick() {
  if (int32_t position = 0; d_.state(position) != 0) {
    d_.stop();
    d_.close();
  }
  call(exitProgram);
}

}  // namespace sorv
