#pragma once
// A stand-in for the windows: real picture areas of the panel's sizes, and a record of every
// caption, label, timer and window request.
#include <QStringList>

#include "playback/PlayerView.h"

namespace sorv::test {

class FakeView : public PlayerView {
 public:
  // Sizes in pixels as the main panel and a 1280-pixel-wide bar lay them out.
  PictureArea mPanelArea{QSize(257, 65)};
  PictureArea aPanelArea{QSize(301, 105)};
  PictureArea mpanel2Area{QSize(712, 27)};
  PictureArea timeBarArea{QSize(77, 5)};

  QString caption, counterText, barCounter, timeText, barTime;
  QStringList counterHistory;  // every setCounter text, in order
  std::array<QString, 5> lyricLabels;
  int lyricLabelWrites = 0;
  int startTimerInterval = 0;
  bool endTimerEnabled = true;
  int endTimerDisables = 0;
  int showDispModeCalls = 0;
  int loopShuffleCalls = 0;
  bool selectionAvailable = false;
  QStringList opened;  // "options", "selection", "about", "lyrics", "close"

  FakeView() {
    for (PictureArea* area : {&mPanelArea, &aPanelArea, &mpanel2Area, &timeBarArea}) {
      area->setBackColor(QColor(0, 0, 128));
      area->cls();
    }
  }

  PictureArea& mPanel() override { return mPanelArea; }
  PictureArea& aPanel() override { return aPanelArea; }
  PictureArea& mpanel2() override { return mpanel2Area; }
  PictureArea& timeBar() override { return timeBarArea; }
  void setCaption(const QString& text) override { caption = text; }
  void setCounter(const QString& text) override {
    counterText = text;
    counterHistory << text;
  }
  QString counter() const override { return counterText; }
  void setBarCounter(const QString& text) override { barCounter = text; }
  void setTime(const QString& text) override { timeText = text; }
  QString time() const override { return timeText; }
  void setBarTime(const QString& text) override { barTime = text; }
  void setLyricLabels(const std::array<QString, 5>& lines) override {
    lyricLabels = lines;
    ++lyricLabelWrites;
  }
  void setStartTimer(int intervalMs) override { startTimerInterval = intervalMs; }
  void setEndTimerEnabled(bool enabled) override {
    if (!enabled) ++endTimerDisables;
    endTimerEnabled = enabled;
  }
  void showDispMode() override { ++showDispModeCalls; }
  void loopShuffleOnOff() override { ++loopShuffleCalls; }
  void setSelectionAvailable(bool available) override { selectionAvailable = available; }
  void openOptions() override { opened << "options"; }
  void openSelection() override { opened << "selection"; }
  void openAbout() override { opened << "about"; }
  void openLyrics() override { opened << "lyrics"; }
  void closeProgram() override { opened << "close"; }
};

}  // namespace sorv::test
