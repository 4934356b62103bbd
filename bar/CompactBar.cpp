#include "bar/CompactBar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "bar/BarGeometry.h"
#include "bar/BarPictures.h"
#include "core/FittedLabel.h"
#include "core/Fonts.h"
#include "core/PictureWidget.h"
#include "playback/SongInfo.h"

namespace sorv {

using namespace bar;

namespace {

constexpr int kPointerWatchMs = 500;
// One display frame or so: with kSlideStepsPerTick one-twip steps per tick the whole 430-twip
// slide takes 20 ticks, about 300 ms.
constexpr int kSlideTickMs = 15;

void paint(QWidget* widget, const QColor& back, const QColor& text = QColor()) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, back);
  if (text.isValid()) palette.setColor(QPalette::WindowText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

FittedLabel* makeLabel(QWidget* parent, const char* name, int top, const QColor& text,
                       const QColor& back) {
  auto* label = new FittedLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(px(kTrayItemLeft), px(top), px(kTrayItemWidth), px(kLabelHeight));
  label->setAlignment(Qt::AlignCenter);
  QFont font(QString::fromUtf8(kArial));
  font.setPixelSize(qMax(6, px(kLabelHeight) - 1));
  font.setBold(true);
  label->setFont(font);
  paint(label, back, text);
  return label;
}

}  // namespace

CompactBar::CompactBar(Player& player, QWidget* parent)
    : QWidget(parent, canPlaceWindows()
                          ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                Qt::X11BypassWindowManagerHint
                          : Qt::Window),
      player_(player),
      s_(player.state()),
      d_(player.engine()),
      v_(player.view()) {
  setObjectName(QStringLiteral("Bar"));
  setWindowTitle(QStringLiteral("そるばね"));
  paint(this, QColor(40, 40, 40));
  buildControls();
  buildMenu();

  aniTimer_.setInterval(kSlideTickMs);
  connect(&aniTimer_, &QTimer::timeout, this, &CompactBar::slideTick);
  mCheck_.setInterval(kPointerWatchMs);
  connect(&mCheck_, &QTimer::timeout, this, &CompactBar::pointerCheckTick);
  mCheck_.start();

  watchScreen(QGuiApplication::primaryScreen());
  connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen* screen) {
    watchScreen(screen);
    displayChanged();
  });
  resize(1, px(kBarHeight));
  layout(workAreaTwips());
}

void CompactBar::buildControls() {
  image1_ = new BarLogo(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(0, 0, px(kLogoWidth), px(kLogoHeight));

  mpanel2_ = new PictureWidget(QSize(1, px(kSongLineHeight)), this);
  mpanel2_->setObjectName(QStringLiteral("Mpanel2"));
  mpanel2_->area().setBackColor(QColor(0, 0, 128));
  mpanel2_->area().cls();
  connect(mpanel2_, &PictureWidget::mouseDown, this,
          [this](Qt::MouseButton button) { formMouseDown(button); });
  buildTray();
}

void CompactBar::buildTray() {
  btnTray_ = new QWidget(this);
  btnTray_->setObjectName(QStringLiteral("BtnTray"));
  btnTray_->resize(px(kTrayWidth), px(kTrayHeight));
  paint(btnTray_, QColor(40, 40, 40));

  cdisp_ = makeLabel(btnTray_, "cdisp", kCounterTop, Qt::yellow, QColor(0, 128, 0));
  cdisp_->setText(QStringLiteral("0000 / 0000"));
  tdisp_ = makeLabel(btnTray_, "tdisp", kTimeLabelTop, Qt::cyan, QColor(0, 0, 64));

  timeBar_ = new PictureWidget(QSize(px(kTrayItemWidth), px(kTimeBarHeight)), btnTray_);
  timeBar_->setObjectName(QStringLiteral("TimeBar"));
  timeBar_->move(px(kTrayItemLeft), px(kTimeBarTop));
  timeBar_->area().setBackColor(QColor(192, 0, 0));
  timeBar_->area().setForeColor(QColor(255, 0, 255));
  timeBar_->area().cls();
  connect(timeBar_, &PictureWidget::mouseDown, this, &CompactBar::timeBarMouseDown);

  const ButtonSymbol symbols[kButtonCount] = {ButtonSymbol::Previous, ButtonSymbol::Next,
                                              ButtonSymbol::Stop,     ButtonSymbol::Play,
                                              ButtonSymbol::Pause,    ButtonSymbol::Panel};
  static const char* const tips[kButtonCount] = {"前の曲", "次の曲",   "停止",
                                                 "再生",   "一時停止", "メインパネルに戻る"};
  for (int i = 0; i < kButtonCount; ++i) {
    btn_[i] = new BarButton(symbols[i], btnTray_);
    btn_[i]->setObjectName(QStringLiteral("btn%1").arg(i));
    btn_[i]->setToolTip(QString::fromUtf8(tips[i]));
    btn_[i]->setGeometry(px(kFirstButtonLeft + i * kButtonPitch), 0, px(kButtonWidth),
                         px(kButtonHeight));
    connect(btn_[i], &QAbstractButton::clicked, this, [this, i] { runCommand(i); });
  }
}

void CompactBar::watchScreen(QScreen* screen) {
  if (screen_) disconnect(screen_, nullptr, this, nullptr);
  screen_ = screen;
  if (screen_)
    connect(screen_, &QScreen::availableGeometryChanged, this, &CompactBar::displayChanged);
}

int CompactBar::workAreaTwips() const {
  return screen_ ? qRound(screen_->availableGeometry().width() * kTwipsPerPixel) : 0;
}

QPoint CompactBar::workAreaOrigin() const {
  return screen_ ? screen_->availableGeometry().topLeft() : QPoint();
}

PictureArea& CompactBar::mpanel2() {
  return mpanel2_->area();
}
PictureArea& CompactBar::timeBar() {
  return timeBar_->area();
}
void CompactBar::setCounter(const QString& text) {
  cdisp_->setText(text);
}
QString CompactBar::counter() const {
  return cdisp_->text();
}
void CompactBar::setTime(const QString& text) {
  tdisp_->setText(text);
}
QString CompactBar::time() const {
  return tdisp_->text();
}

void CompactBar::layout(int workAreaTwips) {
  const int w = workAreaTwips;
  const bool wide = w > kNarrowLimit;
  const int logo = wide ? kLogoWidth : 0;
  image1_->setVisible(wide);
  resize(qMax(1, px(w)), height());
  btnTray_->move(px(w - kTrayWidth - kTrayRightGap), 0);
  mpanel2_->setGeometry(px(logo), 0, qMax(1, px(w - kTrayWidth - logo)), px(kSongLineHeight));
}

void CompactBar::showBar() {
  resize(width(), px(kBarHeight));
  moveToTop(top_);
  show();
  keepOnTop();
  layout(workAreaTwips());
  barHide_->setChecked(s_.barHideOpt != 0);
  loopShuffleChecks();
  setCounter(s_.counterText());
  if (s_.playState == 1) {
    showBarTitle(s_, mpanel2(), screenWidthTwips());
  } else {
    mpanel2().cls();
    timeBar().cls();
  }
}

void CompactBar::displayChanged() {
  layout(workAreaTwips());
  moveToTop(top_);
  if (s_.playState == 1) showBarTitle(s_, mpanel2(), screenWidthTwips());
}

void CompactBar::mousePressEvent(QMouseEvent* event) {
  // Presses that the tray's labels let through belong to the tray, not to the bar.
  if (btnTray_->geometry().contains(event->position().toPoint())) return;
  formMouseDown(event->button());
}

// The rows that stay on screen when the bar is slid up would be dark grey on a dark desktop:
// a light line under a dark one marks them on any desktop.
void CompactBar::paintEvent(QPaintEvent*) {
  const int lineRows = qMax(1, sliverRows() - 1);
  QPainter(this).fillRect(0, height() - lineRows, width(), lineRows, QColor(190, 190, 190));
}

}  // namespace sorv
