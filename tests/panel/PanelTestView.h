#pragma once
// The real main panel's view, completed with a record of what would go to the compact bar, the
// lyrics window and the windows that commands open.
#include <QStringList>

#include "panel/window/PanelView.h"

namespace sorv::test {

class PanelTestView : public PanelView {
 public:
  PictureArea mpanel2Area{QSize(712, 27)};
  PictureArea timeBarArea{QSize(77, 5)};
  QString barCounter, barTime;
  std::array<QString, 5> lyricLabels;
  int showDispModeCalls = 0;
  QStringList opened;  // "options", "selection", "about", "lyrics", "close"

  PictureArea& mpanel2() override { return mpanel2Area; }
  PictureArea& timeBar() override { return timeBarArea; }
  void setBarCounter(const QString& text) override { barCounter = text; }
  void setBarTime(const QString& text) override { barTime = text; }
  void setLyricLabels(const std::array<QString, 5>& lines) override { lyricLabels = lines; }
  void showDispMode() override { ++showDispModeCalls; }
  void openOptions() override { opened << "options"; }
  void openSelection() override { opened << "selection"; }
  void openAbout() override { opened << "about"; }
  void openLyrics() override { opened << "lyrics"; }
  void closeProgram() override { opened << "close"; }
};

}  // namespace sorv::test
