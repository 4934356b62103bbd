#pragma once
// Which of the two windows is shown: the main panel (DispMode 1) or the compact bar (2).
#include <QWidget>

#include "bar/Bar.h"
#include "core/State.h"

namespace sorv {

// For 1 the main panel is shown and the bar hidden; for 2 the panel is hidden and the bar
// shown, then placed up or down by BarHideOpt without animation.
void ShowDispMode(State& s, QWidget& mainPanel, Bar& bar);
// The first window of a run: the bar alone when BarFirstOpt is 1, else the main panel.
void ShowFirstWindow(State& s, QWidget& mainPanel, Bar& bar);

}  // namespace sorv
