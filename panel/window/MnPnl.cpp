#include "panel/window/MnPnl.h"

#include <QLabel>
#include <QMouseEvent>

#include "core/AppIcon.h"
#include "core/Fonts.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "panel/window/SkinPainter.h"

namespace sorv {

namespace {

const QColor kNavy(0, 0, 128);

// A lamp picture that stands over a hot spot while its mode is on; a press on it is its command.
class LampWidget : public QLabel {
 public:
  LampWidget(const QString& caption, std::function<void()> pressed, QWidget* parent)
      : QLabel(parent), pressed_(std::move(pressed)) {
    setPixmap(QPixmap::fromImage(panel::PaintLamp(caption)));
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) pressed_();
  }

 private:
  std::function<void()> pressed_;
};

QLabel* MakeLabel(const QRect& geometry, const QColor& color, Qt::Alignment align,
                  QWidget* parent) {
  auto* label = new QLabel(parent);
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

MnPnl::MnPnl(State& s, Decoder& d, PlayerView& v, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), s_(s), d_(d), v_(v) {
  setFixedSize(panel::kWidthTwips / panel::kTwipsPerPixel,
               panel::kHeightTwips / panel::kTwipsPerPixel);
  setWindowIcon(AppIcon());
  setWindowTitle(QStringLiteral("そるばね Ver.") + QString::fromLatin1(kVersionText));
  BuildAreas();
  equalizer_ = new EqualizerPanel(s_, d_, this);
  scope_ = new ScopeDisplay(s_, d_, v_, this);
  BuildLabels();
  BuildMarkers();
  BuildTimers();
  ConnectMouse();
  AcceptDropsOnControls();
}

MnPnl::~MnPnl() = default;

// Files may be dropped on the skin and on every area and slider, not on the lamps and markers.
void MnPnl::AcceptDropsOnControls() {
  QList<QWidget*> controls{ttlbar_, mPanel_,       aPanel_,         tdisp_,
                           cdisp_,  scope_->Spe(), scope_->WPanel()};
  for (int band = 0; band < 10; ++band) controls << equalizer_->Equ(band);
  for (int preset = 0; preset < 6; ++preset) controls << equalizer_->EquPre(preset);
  for (int channel = 0; channel < 2; ++channel) controls << equalizer_->Volume(channel);
  for (QWidget* control : controls) AcceptDropsOn(control);
}

void MnPnl::BuildAreas() {
  ttlbar_ = new PictureWidget(QSize(panel::kWidthTwips / panel::kTwipsPerPixel,
                                    panel::kSkinHeightTwips / panel::kTwipsPerPixel),
                              this);
  ttlbar_->area().setPicture(panel::PaintSkin());
  ttlbar_->area().Cls();
  mPanel_ = new PictureWidget(panel::kMPanel.size(), this);
  mPanel_->move(panel::kMPanel.topLeft());
  mPanel_->area().setBackColor(kNavy);
  mPanel_->area().setPicture(panel::PaintMPanelPicture());
  mPanel_->area().Cls();
  aPanel_ = new PictureWidget(panel::kAPanel.size(), this);
  aPanel_->move(panel::kAPanel.topLeft());
  aPanel_->area().setBackColor(kNavy);
  aPanel_->area().Cls();
}

void MnPnl::BuildLabels() {
  tdisp_ = MakeLabel(panel::kTdisp, QColor(0, 255, 255), Qt::AlignRight | Qt::AlignVCenter, this);
  cdisp_ = MakeLabel(panel::kCdisp, QColor(0, 255, 255), Qt::AlignCenter, this);
  cdisp_->setText(QStringLiteral("0000 / 0000"));
}

void MnPnl::BuildMarkers() {
  lamps_[0] = new LampWidget(
      QStringLiteral("LOOP"), [this] { btn_Click(panel::kLoopLamp); }, this);
  lamps_[0]->setGeometry(panel::kLoopLampRect);
  lamps_[1] = new LampWidget(
      QStringLiteral("SHUFFLE"), [this] { btn_Click(panel::kShuffleLamp); }, this);
  lamps_[1]->setGeometry(panel::kShuffleLampRect);
  for (QWidget* lamp : lamps_) lamp->hide();

  selOff_ = MakeLabel(panel::kLowerHotSpots[1].flash, QColor(255, 230, 230), Qt::AlignCenter, this);
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

void MnPnl::BuildTimers() {
  connect(&timer1_, &QTimer::timeout, this, &MnPnl::Timer1_Timer);
  connect(&timer2_, &QTimer::timeout, this, &MnPnl::Timer2_Timer);
  connect(&timer3_, &QTimer::timeout, this, &MnPnl::Timer3_Timer);
  connect(&timer4_, &QTimer::timeout, this, &MnPnl::Timer4_Timer);
  timer2_.start(1000);
  timer3_.start(70);
}

void MnPnl::ConnectMouse() {
  connect(ttlbar_, &PictureWidget::mouseDown, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
            pressOffset_ = QCursor::pos() - pos();
            systemMoveTried_ = false;
            ttlbar_MouseDown(button, shift, x, y);
          });
  connect(ttlbar_, &PictureWidget::mouseMove, this, &MnPnl::ttlbar_MouseMove);
  connect(mPanel_, &PictureWidget::mouseDown, this, &MnPnl::MPanel_MouseDown);
  connect(aPanel_, &PictureWidget::mouseUp, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, double, double) {
            if (button == Qt::LeftButton) APanel_Click();
          });
}

QWidget& MnPnl::btn(int index) {
  return *lamps_[index == panel::kShuffleLamp ? 1 : 0];
}

void MnPnl::SetCounter(const QString& text) {
  cdisp_->setText(text);
  cdisp_->repaint();
}

QString MnPnl::Counter() const {
  return cdisp_->text();
}

void MnPnl::SetTime(const QString& text) {
  tdisp_->setText(text);
}

QString MnPnl::Time() const {
  return tdisp_->text();
}

void MnPnl::SetStartTimer(int intervalMs) {
  if (intervalMs <= 0)
    timer1_.stop();
  else
    timer1_.start(intervalMs);
}

int MnPnl::StartTimerInterval() const {
  return timer1_.isActive() ? timer1_.interval() : 0;
}

void MnPnl::SetEndTimerEnabled(bool enabled) {
  if (enabled)
    timer2_.start(1000);
  else
    timer2_.stop();
}

void MnPnl::ShowLamps() {
  lamps_[0]->setVisible(s_.LoopMode == 1);
  lamps_[1]->setVisible(s_.ShuffleMode == 1);
}

void MnPnl::SetSelectionAvailable(bool available) {
  selOff_->setVisible(!available);
}

void MnPnl::HideFlash() {
  flash_->hide();
}

}  // namespace sorv
