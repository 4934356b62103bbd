#pragma once
// The compact bar: a one-line, always-on-top strip across the top of the work area that can
// stand in for the main panel. Transport buttons, a seek strip, the counter and the time, the
// song line, a right-click menu, and an auto-hide that slides it up out of the way.
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "core/PictureArea.h"
#include "core/State.h"
#include "decoder/Decoder.h"
#include "playback/PlayerView.h"

class QAction;
class QLabel;
class QMenu;
class QScreen;

namespace sorv {

class PictureWidget;

namespace bar {
class BarButton;
class BarLogo;
}  // namespace bar

class Bar : public QWidget {
  Q_OBJECT

 public:
  Bar(State& s, Decoder& d, PlayerView& v, QWidget* parent = nullptr);

  // Windows that the menu opens; the program wires them. Unwired, the items do nothing.
  std::function<void()> openOptions;
  std::function<void()> openSelection;
  std::function<void()> openAbout;
  std::function<void()> openLyrics;
  // Unloads the bar, the lyrics window and the main panel, in that order (the main panel's
  // unload runs the shut-down).
  std::function<void()> exitProgram;

  // The song line and the seek strip.
  PictureArea& Mpanel2();
  PictureArea& TimeBar();
  // The counter (cdisp) and the elapsed time (tdisp).
  void SetCounter(const QString& text);
  QString Counter() const;
  void SetTime(const QString& text);
  QString Time() const;
  void SetSelSongEnabled(bool enabled);
  // Check marks of the loop and shuffle items from LoopMode and ShuffleMode.
  void LoopShuffleChecks();

  // Making the bar the shown window: on top and shown, laid out over the work area, check
  // marks, counter, and the song line (or empty areas while nothing plays).
  void ShowBar();
  // Top at -430 twips when hide is non-zero, else 0; left 0; BarHidden = hide. No animation.
  void PlaceBar(int16_t hide);
  // Width, logo, song line and tray for a work area of the given width in twips.
  void Layout(int workAreaTwips);
  // The work area changed: lay out again (height kept) and redraw the song line.
  void DisplayChanged();
  // The primary screen's work-area width in twips.
  int WorkAreaTwips() const;
  // The bar's top edge in twips, relative to the top of the work area.
  double Top() const { return top_; }

  // Timer ticks.
  void AniTimer_Timer();
  void MCheck_Timer();
  void Timer1_Timer();
  QTimer& AniTimer() { return aniTimer_; }
  QTimer& MCheck() { return mCheck_; }
  QTimer& Timer1() { return timer1_; }

  // Commands: previous, next, stop, play, pause, back to the main panel.
  void btn_Click(int index);
  // Seek to x (twips on the strip); any button.
  void TimeBar_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  // A mouse-down on the bar, its song line or its logo: the right button opens the menu.
  void Form_MouseDown(Qt::MouseButton button);

  // Menu items.
  QMenu& popup() { return *popup_; }
  void opt_Click();
  void SelSong_Click();
  void loopPlay_Click();
  void shufflePlay_Click();
  void LyricDisp_Click();
  void BarHide_Click();
  void about_Click();
  void endend_Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void BuildControls();
  void BuildTray();
  void BuildMenu();
  QAction* AddItem(const char* name, const QString& caption, void (Bar::*handler)());
  QAction* AddCheckItem(const char* name, const QString& caption, void (Bar::*handler)());
  void WatchScreen(QScreen* screen);
  QPoint WorkAreaOrigin() const;
  void MoveToTop(double twips);
  void SlideTo(double target);
  void KeepOnTop();
  void ArmStart();
  void DisarmStart();
  void ShowPanelSong();
  void ShowStopped();

  State& s_;
  Decoder& d_;
  PlayerView& v_;

  bar::BarLogo* image1_ = nullptr;
  PictureWidget* mpanel2_ = nullptr;
  QWidget* btnTray_ = nullptr;
  QLabel* cdisp_ = nullptr;
  PictureWidget* timeBar_ = nullptr;
  QLabel* tdisp_ = nullptr;
  std::array<bar::BarButton*, 6> btn_{};

  QMenu* popup_ = nullptr;
  QAction* selSong_ = nullptr;
  QAction* loopPlay_ = nullptr;
  QAction* shufflePlay_ = nullptr;
  QAction* barHide_ = nullptr;

  QTimer aniTimer_;
  QTimer mCheck_;
  QTimer timer1_;
  QScreen* screen_ = nullptr;

  double top_ = 0;
  // Counts placements, so a slide that lets events run notices it was overtaken by one.
  int placements_ = 0;
  bool sliding_ = false;
};

}  // namespace sorv
