#pragma once
// The main panel: a frameless, skinned window whose buttons are hot spots on the skin image
// `titleBar`. It shows the song areas, the counters and the time, embeds the equalizer and the
// scopes, runs the panel's four timers, moves when the skin is dragged and takes file drops.
#include <QTimer>
#include <QWidget>
#include <array>

#include "core/FittedLabel.h"
#include "core/PictureWidget.h"
#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "panel/window/PanelLayout.h"
#include "playback/Player.h"

namespace sorv {

class EqualizerPanel;
class ScopeDisplay;

class MainPanel : public QWidget {
  Q_OBJECT

 public:
  // The player's view of the windows is used only after construction.
  explicit MainPanel(Player& player, QWidget* parent = nullptr);
  ~MainPanel() override;

  // Controls.
  PictureWidget& titleBar() { return *ttlbar_; }
  PictureArea& mPanel() { return mPanel_->area(); }
  PictureArea& aPanel() { return aPanel_->area(); }
  PictureWidget& mPanelWidget() { return *mPanel_; }
  PictureWidget& aPanelWidget() { return *aPanel_; }
  QLabel& tdisp() { return *tdisp_; }
  FittedLabel& cdisp() { return *cdisp_; }
  QWidget& flash() { return *flash_; }
  QWidget& selOff() { return *selOff_; }
  // btn(22) (loop lamp) or btn(23) (shuffle lamp).
  QWidget& btn(int index);
  EqualizerPanel& equalizer() { return *equalizer_; }
  ScopeDisplay& scope() { return *scope_; }

  // What the program's view asks of the panel.
  void setCounter(const QString& text);
  QString counter() const;
  void setTime(const QString& text);
  QString time() const;
  // Interval 0 stops the start timer.
  void setStartTimer(int intervalMs);
  int startTimerInterval() const;
  void setEndTimerEnabled(bool enabled);
  bool endTimerEnabled() const { return clockTimer_.isActive(); }
  bool highlightArmed() const { return highlightTimer_.isActive(); }
  // The start, time, scope and highlight timers.
  QTimer& startDelayTimer() { return startDelayTimer_; }
  QTimer& clockTimer() { return clockTimer_; }
  QTimer& scopeTimer() { return scopeTimer_; }
  QTimer& highlightTimer() { return highlightTimer_; }
  // The loop and shuffle lamps from loopMode and shuffleMode.
  void showLamps();
  void setSelectionAvailable(bool available);
  // Start-up step 2.
  void hideFlash();

  // Event handlers. Mouse positions are twips of the control.
  void titleBarMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  void titleBarMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x, double y);
  void runCommand(int index);
  void aPanelClick();
  void mPanelMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  void startDelayTick();
  void clockTick();
  void scopeTick();
  void highlightTick();

 signals:
  // The window is being unloaded: the program runs its shut-down.
  void unloading();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildAreas();
  void buildLabels();
  void buildMarkers();
  void buildTimers();
  void connectMouse();
  void acceptDropsOnControls();
  void acceptDropsOn(QWidget* control);
  void runHotSpot(const panel::HotSpot& spot);
  void executeCommand(int index);
  void armHighlightReset();

  Player& player_;
  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
  PictureWidget* ttlbar_ = nullptr;
  PictureWidget* mPanel_ = nullptr;
  PictureWidget* aPanel_ = nullptr;
  QLabel* tdisp_ = nullptr;
  FittedLabel* cdisp_ = nullptr;
  QWidget* flash_ = nullptr;
  QLabel* selOff_ = nullptr;
  std::array<QWidget*, 2> lamps_{};
  EqualizerPanel* equalizer_ = nullptr;
  ScopeDisplay* scope_ = nullptr;
  QTimer startDelayTimer_;
  QTimer clockTimer_;
  QTimer scopeTimer_;
  QTimer highlightTimer_;
  // Pointer position relative to the window when the skin was pressed, for moving by delta.
  QPoint pressOffset_;
  bool systemMoveTried_ = false;
  bool unloaded_ = false;
};

}  // namespace sorv
