#include "bar/Bar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "bar/BarGeometry.h"
#include "bar/BarPictures.h"
#include "core/Fonts.h"
#include "core/PictureWidget.h"
#include "panel/info/SongInfo.h"

namespace sorv {

using namespace bar;

namespace {

constexpr int kPointerWatchMs = 500;
// One display frame or so: with kSlideStepsPerTick one-twip steps per tick the whole 430-twip
// slide takes 20 ticks, about 300 ms.
constexpr int kSlideTickMs = 15;

void Paint(QWidget* widget, const QColor& back, const QColor& text = QColor()) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, back);
  if (text.isValid()) palette.setColor(QPalette::WindowText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* name, int top, const QColor& text,
                  const QColor& back) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(Px(kTrayItemLeft), Px(top), Px(kTrayItemWidth), Px(kLabelHeight));
  label->setAlignment(Qt::AlignCenter);
  QFont font(QString::fromUtf8(kArial));
  font.setPixelSize(qMax(6, Px(kLabelHeight) - 1));
  font.setBold(true);
  label->setFont(font);
  Paint(label, back, text);
  return label;
}

}  // namespace

Bar::Bar(State& s, Decoder& d, PlayerView& v, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint),
      s_(s),
      d_(d),
      v_(v) {
  setObjectName(QStringLiteral("Bar"));
  setWindowTitle(QStringLiteral("そるばね"));
  Paint(this, QColor(40, 40, 40));
  BuildControls();
  BuildMenu();

  aniTimer_.setInterval(kSlideTickMs);
  connect(&aniTimer_, &QTimer::timeout, this, &Bar::AniTimer_Timer);
  mCheck_.setInterval(kPointerWatchMs);
  connect(&mCheck_, &QTimer::timeout, this, &Bar::MCheck_Timer);
  mCheck_.start();
  connect(&timer1_, &QTimer::timeout, this, &Bar::Timer1_Timer);

  WatchScreen(QGuiApplication::primaryScreen());
  connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen* screen) {
    WatchScreen(screen);
    DisplayChanged();
  });
  resize(1, Px(kBarHeight));
  Layout(WorkAreaTwips());
}

void Bar::BuildControls() {
  image1_ = new BarLogo(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(0, 0, Px(kLogoWidth), Px(kLogoHeight));

  mpanel2_ = new PictureWidget(QSize(1, Px(kSongLineHeight)), this);
  mpanel2_->setObjectName(QStringLiteral("Mpanel2"));
  mpanel2_->area().setBackColor(QColor(0, 0, 128));
  mpanel2_->area().Cls();
  connect(mpanel2_, &PictureWidget::mouseDown, this,
          [this](Qt::MouseButton button) { Form_MouseDown(button); });
  BuildTray();
}

void Bar::BuildTray() {
  btnTray_ = new QWidget(this);
  btnTray_->setObjectName(QStringLiteral("BtnTray"));
  btnTray_->resize(Px(kTrayWidth), Px(kTrayHeight));
  Paint(btnTray_, QColor(40, 40, 40));

  cdisp_ = MakeLabel(btnTray_, "cdisp", kCounterTop, Qt::yellow, QColor(0, 128, 0));
  cdisp_->setText(QStringLiteral("0000 / 0000"));
  tdisp_ = MakeLabel(btnTray_, "tdisp", kTimeLabelTop, Qt::cyan, QColor(0, 0, 64));

  timeBar_ = new PictureWidget(QSize(Px(kTrayItemWidth), Px(kTimeBarHeight)), btnTray_);
  timeBar_->setObjectName(QStringLiteral("TimeBar"));
  timeBar_->move(Px(kTrayItemLeft), Px(kTimeBarTop));
  timeBar_->area().setBackColor(QColor(192, 0, 0));
  timeBar_->area().setForeColor(QColor(255, 0, 255));
  timeBar_->area().Cls();
  connect(timeBar_, &PictureWidget::mouseDown, this, &Bar::TimeBar_MouseDown);

  const ButtonSymbol symbols[kButtonCount] = {ButtonSymbol::Previous, ButtonSymbol::Next,
                                              ButtonSymbol::Stop,     ButtonSymbol::Play,
                                              ButtonSymbol::Pause,    ButtonSymbol::Panel};
  static const char* const tips[kButtonCount] = {"前の曲", "次の曲",   "停止",
                                                 "再生",   "一時停止", "メインパネルに戻る"};
  for (int i = 0; i < kButtonCount; ++i) {
    btn_[i] = new BarButton(symbols[i], btnTray_);
    btn_[i]->setObjectName(QStringLiteral("btn%1").arg(i));
    btn_[i]->setToolTip(QString::fromUtf8(tips[i]));
    btn_[i]->setGeometry(Px(kFirstButtonLeft + i * kButtonPitch), 0, Px(kButtonWidth),
                         Px(kButtonHeight));
    connect(btn_[i], &QAbstractButton::clicked, this, [this, i] { btn_Click(i); });
  }
}

void Bar::WatchScreen(QScreen* screen) {
  if (screen_) disconnect(screen_, nullptr, this, nullptr);
  screen_ = screen;
  if (screen_) connect(screen_, &QScreen::availableGeometryChanged, this, &Bar::DisplayChanged);
}

int Bar::WorkAreaTwips() const {
  return screen_ ? qRound(screen_->availableGeometry().width() * kTwipsPerPixel) : 0;
}

QPoint Bar::WorkAreaOrigin() const {
  return screen_ ? screen_->availableGeometry().topLeft() : QPoint();
}

PictureArea& Bar::Mpanel2() {
  return mpanel2_->area();
}
PictureArea& Bar::TimeBar() {
  return timeBar_->area();
}
void Bar::SetCounter(const QString& text) {
  cdisp_->setText(text);
}
QString Bar::Counter() const {
  return cdisp_->text();
}
void Bar::SetTime(const QString& text) {
  tdisp_->setText(text);
}
QString Bar::Time() const {
  return tdisp_->text();
}

void Bar::Layout(int workAreaTwips) {
  const int w = workAreaTwips;
  const bool wide = w > kNarrowLimit;
  const int logo = wide ? kLogoWidth : 0;
  image1_->setVisible(wide);
  resize(qMax(1, Px(w)), height());
  btnTray_->move(Px(w - kTrayWidth - kTrayRightGap), 0);
  mpanel2_->setGeometry(Px(logo), 0, qMax(1, Px(w - kTrayWidth - logo)), Px(kSongLineHeight));
}

void Bar::ShowBar() {
  resize(width(), Px(kBarHeight));
  MoveToTop(top_);
  show();
  KeepOnTop();
  Layout(WorkAreaTwips());
  barHide_->setChecked(s_.BarHideOpt != 0);
  LoopShuffleChecks();
  SetCounter(s_.CounterText());
  if (s_.PlayState == 1) {
    ShowBarTitle(s_, Mpanel2(), ScreenWidthTwips());
  } else {
    Mpanel2().Cls();
    TimeBar().Cls();
  }
}

void Bar::DisplayChanged() {
  Layout(WorkAreaTwips());
  MoveToTop(top_);
  if (s_.PlayState == 1) ShowBarTitle(s_, Mpanel2(), ScreenWidthTwips());
}

void Bar::mousePressEvent(QMouseEvent* event) {
  // Presses that the tray's labels let through belong to the tray, not to the bar.
  if (btnTray_->geometry().contains(event->position().toPoint())) return;
  Form_MouseDown(event->button());
}

}  // namespace sorv
