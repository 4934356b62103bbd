#pragma once
// The pictures of the main panel, painted in code: the skin `titleBar` with its buttons, the
// background of mPanel, and the loop and shuffle lamps. Each paints in logical pixels onto a
// painter of any device pixel ratio.
#include <QPainter>
#include <QSize>
#include <QString>

namespace sorv::panel {

inline constexpr QSize kLampSize(45, 17);

// The whole skin, 377 x 330 pixels.
void paintSkin(QPainter& p);
// mPanel's background picture, 257 x 65 pixels.
void paintMPanelPicture(QPainter& p);
// A lit lamp of kLampSize with its caption.
void paintLamp(QPainter& p, const QString& caption);

}  // namespace sorv::panel
