#pragma once
// A stand-in for the windows: real picture areas of the panel's sizes, and a record of every
// caption, label, timer and window request.
#include <QStringList>

#include "playback/PlayerView.h"

namespace sorv::test {

class FakeView : public PlayerView {
 public:
  // Sizes in pixels as the main panel and a 1280-pixel-wide bar lay them out.
  PictureArea mPanel{QSize(257, 65)};
  PictureArea aPanel{QSize(301, 105)};
  PictureArea mpanel2{QSize(712, 27)};
  PictureArea timeBar{QSize(77, 5)};

  QString caption, counter, barCounter, time, barTime;
  QStringList counterHistory;  // every SetCounter text, in order
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
    for (PictureArea* area : {&mPanel, &aPanel, &mpanel2, &timeBar}) {
      area->setBackColor(QColor(0, 0, 128));
      area->Cls();
    }
  }

  PictureArea& MPanel() override { return mPanel; }
  PictureArea& APanel() override { return aPanel; }
  PictureArea& Mpanel2() override { return mpanel2; }
  PictureArea& TimeBar() override { return timeBar; }
  void SetCaption(const QString& text) override { caption = text; }
  void SetCounter(const QString& text) override {
    counter = text;
    counterHistory << text;
  }
  QString Counter() const override { return counter; }
  void SetBarCounter(const QString& text) override { barCounter = text; }
  void SetTime(const QString& text) override { time = text; }
  QString Time() const override { return time; }
  void SetBarTime(const QString& text) override { barTime = text; }
  void SetLyricLabels(const std::array<QString, 5>& lines) override {
    lyricLabels = lines;
    ++lyricLabelWrites;
  }
  void SetStartTimer(int intervalMs) override { startTimerInterval = intervalMs; }
  void SetEndTimerEnabled(bool enabled) override {
    if (!enabled) ++endTimerDisables;
    endTimerEnabled = enabled;
  }
  void ShowDispMode() override { ++showDispModeCalls; }
  void LoopShuffleOnOff() override { ++loopShuffleCalls; }
  void SetSelectionAvailable(bool available) override { selectionAvailable = available; }
  void OpenOptions() override { opened << "options"; }
  void OpenSelection() override { opened << "selection"; }
  void OpenAbout() override { opened << "about"; }
  void OpenLyrics() override { opened << "lyrics"; }
  void CloseProgram() override { opened << "close"; }
};

}  // namespace sorv::test
