#pragma once
// The main panel's share of the program's view of the windows. The program completes it with
// the compact bar, the lyrics window and the windows that commands open.
#include "panel/window/MnPnl.h"
#include "playback/PlayerView.h"

namespace sorv {

class PanelView : public PlayerView {
 public:
  // The panel is made after the view (it needs the view), so it is attached afterwards.
  void Attach(MnPnl& panel) { panel_ = &panel; }
  MnPnl& Panel() { return *panel_; }

  PictureArea& MPanel() override;
  PictureArea& APanel() override;
  void SetCaption(const QString& text) override;
  void SetCounter(const QString& text) override;
  QString Counter() const override;
  void SetTime(const QString& text) override;
  QString Time() const override;
  void SetStartTimer(int intervalMs) override;
  void SetEndTimerEnabled(bool enabled) override;
  // The panel's lamps; the program adds the bar's check marks.
  void LoopShuffleOnOff() override;
  // The SELOFF marker; the program adds the bar's menu entry.
  void SetSelectionAvailable(bool available) override;

 private:
  MnPnl* panel_ = nullptr;
};

}  // namespace sorv
