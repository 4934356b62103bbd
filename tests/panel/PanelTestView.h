#pragma once
// The real main panel's view, completed with a record of what would go to the compact bar, the
// lyrics window and the windows that commands open.
#include <QStringList>

#include "panel/window/PanelView.h"

namespace sorv::test {

class PanelTestView : public PanelView {
 public:
  PictureArea mpanel2{QSize(712, 27)};
  PictureArea timeBar{QSize(77, 5)};
  QString barCounter, barTime;
  std::array<QString, 5> lyricLabels;
  int showDispModeCalls = 0;
  QStringList opened;  // "options", "selection", "about", "lyrics", "close"

  PictureArea& Mpanel2() override { return mpanel2; }
  PictureArea& TimeBar() override { return timeBar; }
  void SetBarCounter(const QString& text) override { barCounter = text; }
  void SetBarTime(const QString& text) override { barTime = text; }
  void SetLyricLabels(const std::array<QString, 5>& lines) override { lyricLabels = lines; }
  void ShowDispMode() override { ++showDispModeCalls; }
  void OpenOptions() override { opened << "options"; }
  void OpenSelection() override { opened << "selection"; }
  void OpenAbout() override { opened << "about"; }
  void OpenLyrics() override { opened << "lyrics"; }
  void CloseProgram() override { opened << "close"; }
};

}  // namespace sorv::test
