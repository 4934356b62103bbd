#pragma once
// Which of the two windows is shown: the main panel (dispMode 1) or the compact bar (2).
#include <QWidget>

#include "bar/CompactBar.h"
#include "core/State.h"

namespace sorv {

// For 1 the main panel is shown and the bar hidden; for 2 the panel is hidden and the bar
// shown, then placed up or down by barHideOpt without animation.
void showDispMode(State& s, QWidget& mainPanel, CompactBar& bar);
// The first window of a run: the bar alone when barFirstOpt is 1, else the main panel.
void showFirstWindow(State& s, QWidget& mainPanel, CompactBar& bar);

}  // namespace sorv
