#include "panel/window/MainPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "core/AppIcon.h"
#include "core/FittedLabel.h"
#include "core/Fonts.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "panel/window/SkinPainter.h"

namespace sorv {

namespace {

const QColor kNavy(0, 0, 128);

// A lamp that stands over a hot spot while its mode is on; a press on it is its command. It is
// painted on each paint, so it is sharp at the ratio of whatever screen it is on.
class LampWidget : public QWidget {
 public:
  LampWidget(const QString& caption, std::function<void()> pressed, QWidget* parent)
      : QWidget(parent), caption_(caption), pressed_(std::move(pressed)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    panel::paintLamp(painter, caption_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_();
  }

 private:
  QString caption_;
  std::function<void()> pressed_;
};

FittedLabel* makeLabel(const QRect& geometry, const QColor& color, Qt::Alignment align,
                       QWidget* parent) {
  auto* label = new FittedLabel(parent);
  label->setGeometry(geometry);
  label->setAlignment(align);
  QFont font(QString::fromUtf8(kArial));
  font.setPixelSize(11);
  font.setBold(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
  return label;
}

}  // namespace

MainPanel::MainPanel(Player& player, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      player_(player),
      s_(player.state()),
      d_(player.engine()),
      v_(player.view()) {
  setFixedSize(panel::kWidthTwips / panel::kTwipsPerPixel,
               panel::kHeightTwips / panel::kTwipsPerPixel);
  setWindowIcon(appIcon());
  setWindowTitle(QStringLiteral("そるばね Ver.") + QString::fromLatin1(kVersionText));
  buildAreas();
  equalizer_ = new EqualizerPanel(s_, d_, this);
  scope_ = new ScopeDisplay(s_, d_, v_, this);
  buildLabels();
  buildMarkers();
  buildTimers();
  connectMouse();
  acceptDropsOnControls();
}

MainPanel::~MainPanel() {
  d_.setEndHandler(nullptr);
}

// Files may be dropped on the skin and on every area and slider, not on the lamps and markers.
void MainPanel::acceptDropsOnControls() {
  QList<QWidget*> controls{ttlbar_, mPanel_,       aPanel_,         tdisp_,
                           cdisp_,  scope_->spe(), scope_->wPanel()};
  for (int band = 0; band < 10; ++band) controls << equalizer_->equ(band);
  for (int preset = 0; preset < 6; ++preset) controls << equalizer_->equPre(preset);
  for (int channel = 0; channel < 2; ++channel) controls << equalizer_->volumeSlider(channel);
  for (QWidget* control : controls) acceptDropsOn(control);
}

void MainPanel::buildAreas() {
  ttlbar_ = new PictureWidget(QSize(panel::kWidthTwips / panel::kTwipsPerPixel,
                                    panel::kSkinHeightTwips / panel::kTwipsPerPixel),
                              this);
  ttlbar_->area().setPicture(panel::paintSkin);
  ttlbar_->area().cls();
  mPanel_ = new PictureWidget(panel::kMPanel.size(), this);
  mPanel_->move(panel::kMPanel.topLeft());
  mPanel_->area().setBackColor(kNavy);
  mPanel_->area().setPicture(panel::paintMPanelPicture);
  mPanel_->area().cls();
  aPanel_ = new PictureWidget(panel::kAPanel.size(), this);
  aPanel_->move(panel::kAPanel.topLeft());
  aPanel_->area().setBackColor(kNavy);
  aPanel_->area().cls();
}

void MainPanel::buildLabels() {
  tdisp_ = makeLabel(panel::kTdisp, QColor(0, 255, 255), Qt::AlignRight | Qt::AlignVCenter, this);
  cdisp_ = makeLabel(panel::kCdisp, QColor(0, 255, 255), Qt::AlignCenter, this);
  cdisp_->setText(QStringLiteral("0000 / 0000"));
}

void MainPanel::buildMarkers() {
  lamps_[0] = new LampWidget(
      QStringLiteral("LOOP"), [this] { runCommand(panel::kLoopLamp); }, this);
  lamps_[0]->setGeometry(panel::kLoopLampRect);
  lamps_[1] = new LampWidget(
      QStringLiteral("SHUFFLE"), [this] { runCommand(panel::kShuffleLamp); }, this);
  lamps_[1]->setGeometry(panel::kShuffleLampRect);
  for (QWidget* lamp : lamps_) lamp->hide();

  selOff_ = makeLabel(panel::kLowerHotSpots[1].flash, QColor(255, 230, 230), Qt::AlignCenter, this);
  selOff_->setText(QStringLiteral("DB OFF"));
  selOff_->setStyleSheet(QStringLiteral(
      "color: #ffe6e6; background: #8c1c1c; border: 1px solid #e05050; border-radius: 3px;"));
  selOff_->setAttribute(Qt::WA_TransparentForMouseEvents);
  selOff_->setToolTip(QStringLiteral("song database unavailable"));

  flash_ = new QWidget(this);
  flash_->setAttribute(Qt::WA_TransparentForMouseEvents);
  flash_->setAutoFillBackground(true);
  flash_->hide();
}

void MainPanel::buildTimers() {
  connect(&startDelayTimer_, &QTimer::timeout, this, &MainPanel::startDelayTick);
  connect(&clockTimer_, &QTimer::timeout, this, &MainPanel::clockTick);
  connect(&scopeTimer_, &QTimer::timeout, this, &MainPanel::scopeTick);
  connect(&highlightTimer_, &QTimer::timeout, this, &MainPanel::highlightTick);
  clockTimer_.start(1000);
  scopeTimer_.start(70);
  // The engine tells the end of a track on its own thread; the tick that moves on to the next
  // one then runs here at once instead of up to a second later.
  d_.setEndHandler([this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (endTimerEnabled()) clockTick();
        },
        Qt::QueuedConnection);
  });
}

void MainPanel::connectMouse() {
  connect(ttlbar_, &PictureWidget::mouseDown, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
            pressOffset_ = QCursor::pos() - pos();
            systemMoveTried_ = false;
            titleBarMouseDown(button, shift, x, y);
          });
  connect(ttlbar_, &PictureWidget::mouseMove, this, &MainPanel::titleBarMouseMove);
  connect(mPanel_, &PictureWidget::mouseDown, this, &MainPanel::mPanelMouseDown);
  connect(aPanel_, &PictureWidget::mouseUp, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, double, double) {
            if (button == Qt::LeftButton) aPanelClick();
          });
}

QWidget& MainPanel::btn(int index) {
  return *lamps_[index == panel::kShuffleLamp ? 1 : 0];
}

void MainPanel::setCounter(const QString& text) {
  cdisp_->setText(text);
  cdisp_->repaint();
}

QString MainPanel::counter() const {
  return cdisp_->text();
}

void MainPanel::setTime(const QString& text) {
  tdisp_->setText(text);
}

QString MainPanel::time() const {
  return tdisp_->text();
}

void MainPanel::setStartTimer(int intervalMs) {
  if (intervalMs <= 0)
    startDelayTimer_.stop();
  else
    startDelayTimer_.start(intervalMs);
}

int MainPanel::startTimerInterval() const {
  return startDelayTimer_.isActive() ? startDelayTimer_.interval() : 0;
}

void MainPanel::setEndTimerEnabled(bool enabled) {
  if (enabled)
    clockTimer_.start(1000);
  else
    clockTimer_.stop();
}

void MainPanel::showLamps() {
  lamps_[0]->setVisible(s_.loopMode == 1);
  lamps_[1]->setVisible(s_.shuffleMode == 1);
}

void MainPanel::setSelectionAvailable(bool available) {
  selOff_->setVisible(!available);
}

void MainPanel::hideFlash() {
  flash_->hide();
}

}  // namespace sorv
