#include "bar/DispMode.h"

namespace sorv {

void showDispMode(State& s, QWidget& mainPanel, CompactBar& bar) {
  if (s.dispMode == DisplayMode::Bar) {
    mainPanel.hide();
    bar.showBar();
    bar.placeBar(s.barHideOpt);
  } else {
    mainPanel.show();
    bar.hide();
  }
}

void showFirstWindow(State& s, QWidget& mainPanel, CompactBar& bar) {
  s.dispMode = s.barFirstOpt == 1 ? DisplayMode::Bar : DisplayMode::Panel;
  showDispMode(s, mainPanel, bar);
}

}  // namespace sorv
