#pragma once
// The main panel's share of the program's view of the windows. The program completes it with
// the compact bar, the lyrics window and the windows that commands open.
#include "panel/window/MainPanel.h"
#include "playback/PlayerView.h"

namespace sorv {

class PanelView : public PlayerView {
 public:
  // The panel is made after the view (it needs the view), so it is attached afterwards.
  void attach(MainPanel& panel) { panel_ = &panel; }
  MainPanel& panel() { return *panel_; }

  PictureArea& mPanel() override;
  PictureArea& aPanel() override;
  void setCaption(const QString& text) override;
  void setCounter(const QString& text) override;
  QString counter() const override;
  void setTime(const QString& text) override;
  QString time() const override;
  void setStartTimer(int intervalMs) override;
  void setEndTimerEnabled(bool enabled) override;
  // The panel's lamps; the program adds the bar's check marks.
  void loopShuffleOnOff() override;
  // The SELOFF marker; the program adds the bar's menu entry.
  void setSelectionAvailable(bool available) override;

 private:
  MainPanel* panel_ = nullptr;
};

}  // namespace sorv
