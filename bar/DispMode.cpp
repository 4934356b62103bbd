#include "bar/DispMode.h"

namespace sorv {

void ShowDispMode(State& s, QWidget& mainPanel, Bar& bar) {
  if (s.DispMode == 2) {
    mainPanel.hide();
    bar.ShowBar();
    bar.PlaceBar(s.BarHideOpt);
  } else {
    mainPanel.show();
    bar.hide();
  }
}

void ShowFirstWindow(State& s, QWidget& mainPanel, Bar& bar) {
  s.DispMode = s.BarFirstOpt == 1 ? 2 : 1;
  ShowDispMode(s, mainPanel, bar);
}

}  // namespace sorv
