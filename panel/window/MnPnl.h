#pragma once
// The main panel: a frameless, skinned window whose buttons are hot spots on the skin image
// `ttlbar`. It shows the song areas, the counters and the time, embeds the equalizer and the
// scopes, runs the panel's four timers, moves when the skin is dragged and takes file drops.
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>

#include "core/PictureWidget.h"
#include "core/State.h"
#include "decoder/Decoder.h"
#include "panel/window/PanelLayout.h"
#include "playback/PlayerView.h"

namespace sorv {

class EqualizerPanel;
class ScopeDisplay;

class MnPnl : public QWidget {
  Q_OBJECT

 public:
  // v is the program's view of the windows; it is used only after construction.
  MnPnl(State& s, Decoder& d, PlayerView& v, QWidget* parent = nullptr);
  ~MnPnl() override;

  // Controls.
  PictureWidget& ttlbar() { return *ttlbar_; }
  PictureArea& MPanel() { return mPanel_->area(); }
  PictureArea& APanel() { return aPanel_->area(); }
  PictureWidget& MPanelWidget() { return *mPanel_; }
  PictureWidget& APanelWidget() { return *aPanel_; }
  QLabel& tdisp() { return *tdisp_; }
  QLabel& cdisp() { return *cdisp_; }
  QWidget& Flash() { return *flash_; }
  QWidget& SELOFF() { return *selOff_; }
  // btn(22) (loop lamp) or btn(23) (shuffle lamp).
  QWidget& btn(int index);
  EqualizerPanel& Equalizer() { return *equalizer_; }
  ScopeDisplay& Scope() { return *scope_; }

  // What the program's view asks of the panel.
  void SetCounter(const QString& text);
  QString Counter() const;
  void SetTime(const QString& text);
  QString Time() const;
  // Interval 0 stops the start timer.
  void SetStartTimer(int intervalMs);
  int StartTimerInterval() const;
  void SetEndTimerEnabled(bool enabled);
  bool EndTimerEnabled() const { return timer2_.isActive(); }
  bool HighlightArmed() const { return timer4_.isActive(); }
  // The start, time, scope and highlight timers.
  QTimer& Timer1() { return timer1_; }
  QTimer& Timer2() { return timer2_; }
  QTimer& Timer3() { return timer3_; }
  QTimer& Timer4() { return timer4_; }
  // The loop and shuffle lamps from LoopMode and ShuffleMode.
  void ShowLamps();
  void SetSelectionAvailable(bool available);
  // Start-up step 2.
  void HideFlash();

  // Event handlers. Mouse positions are twips of the control.
  void ttlbar_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  void ttlbar_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x, double y);
  void btn_Click(int index);
  void APanel_Click();
  void MPanel_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void Timer4_Timer();

 signals:
  // The window is being unloaded: the program runs its shut-down.
  void unloading();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildAreas();
  void BuildLabels();
  void BuildMarkers();
  void BuildTimers();
  void ConnectMouse();
  void AcceptDropsOnControls();
  void AcceptDropsOn(QWidget* control);
  void RunHotSpot(const panel::HotSpot& spot);
  void RunCommand(int index);
  void Stop();
  void Play();
  void ArmHighlightReset();

  State& s_;
  Decoder& d_;
  PlayerView& v_;
  PictureWidget* ttlbar_ = nullptr;
  PictureWidget* mPanel_ = nullptr;
  PictureWidget* aPanel_ = nullptr;
  QLabel* tdisp_ = nullptr;
  QLabel* cdisp_ = nullptr;
  QWidget* flash_ = nullptr;
  QLabel* selOff_ = nullptr;
  std::array<QWidget*, 2> lamps_{};
  EqualizerPanel* equalizer_ = nullptr;
  ScopeDisplay* scope_ = nullptr;
  QTimer timer1_;
  QTimer timer2_;
  QTimer timer3_;
  QTimer timer4_;
  // Pointer position relative to the window when the skin was pressed, for moving by delta.
  QPoint pressOffset_;
  bool systemMoveTried_ = false;
  bool unloaded_ = false;
};

}  // namespace sorv
