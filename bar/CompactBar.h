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
#include "playback/Player.h"

class QAction;
class QLabel;
class QMenu;
class QScreen;

namespace sorv {

class PictureWidget;

namespace bar {
class BarButton;
class BarLogo;

// The bar's buttons, left to right, as runCommand numbers them.
enum Command : int { kPrevious, kNext, kStop, kPlay, kPause, kBackToPanel };
}  // namespace bar

class CompactBar : public QWidget {
  Q_OBJECT

 public:
  explicit CompactBar(Player& player, QWidget* parent = nullptr);

  // Windows that the menu opens; the program wires them. Unwired, the items do nothing.
  std::function<void()> openOptions;
  std::function<void()> openSelection;
  std::function<void()> openAbout;
  std::function<void()> openLyrics;
  // Unloads the bar, the lyrics window and the main panel, in that order (the main panel's
  // unload runs the shut-down).
  std::function<void()> exitProgram;

  // The song line and the seek strip.
  PictureArea& mpanel2();
  PictureArea& timeBar();
  // The counter (cdisp) and the elapsed time (tdisp).
  void setCounter(const QString& text);
  QString counter() const;
  void setTime(const QString& text);
  QString time() const;
  void setSelSongEnabled(bool enabled);
  // Check marks of the loop and shuffle items from loopMode and shuffleMode.
  void loopShuffleChecks();

  // Making the bar the shown window: on top and shown, laid out over the work area, check
  // marks, counter, and the song line (or empty areas while nothing plays).
  void showBar();
  // Top at -430 twips when hide is non-zero, else 0; left 0; barHidden = hide. No animation.
  void placeBar(int16_t hide);
  // Width, logo, song line and tray for a work area of the given width in twips.
  void layout(int workAreaTwips);
  // The work area changed: lay out again (height kept) and redraw the song line.
  void displayChanged();
  // The primary screen's work-area width in twips.
  int workAreaTwips() const;
  // The bar's top edge in twips, relative to the top of the work area.
  double top() const { return top_; }

  // Timer ticks.
  void slideTick();
  void pointerCheckTick();
  QTimer& slideTimer() { return aniTimer_; }
  QTimer& pointerCheckTimer() { return mCheck_; }

  // A bar::Command.
  void runCommand(int index);
  // Seek to x (twips on the strip); any button.
  void timeBarMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
  // A mouse-down on the bar, its song line or its logo: the right button opens the menu.
  void formMouseDown(Qt::MouseButton button);

  // Menu items.
  QMenu& popup() { return *popup_; }
  void optClick();
  void selSongClick();
  void loopPlayClick();
  void shufflePlayClick();
  void lyricDispClick();
  void barHideClick();
  void aboutClick();
  void endendClick();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void buildControls();
  void buildTray();
  void buildMenu();
  QAction* addItem(const char* name, const QString& caption, void (CompactBar::*handler)());
  QAction* addCheckItem(const char* name, const QString& caption, void (CompactBar::*handler)());
  void watchScreen(QScreen* screen);
  QPoint workAreaOrigin() const;
  void moveToTop(double twips);
  void slideTo(double target);
  void keepOnTop();
  void showPanelSong();

  Player& player_;
  State& s_;
  AudioEngine& d_;
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
  QScreen* screen_ = nullptr;

  double top_ = 0;
  // Counts placements, so a slide that lets events run notices it was overtaken by one.
  int placements_ = 0;
  bool sliding_ = false;
};

}  // namespace sorv
