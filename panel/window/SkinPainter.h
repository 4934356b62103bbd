#pragma once
// The pictures of the main panel, painted in code: the skin `ttlbar` with its buttons, the
// background of MPanel, and the loop and shuffle lamps.
#include <QImage>
#include <QString>

namespace sorv::panel {

// The whole skin, 377 x 330 pixels.
QImage PaintSkin();
// MPanel's background picture, 257 x 65 pixels.
QImage PaintMPanelPicture();
// A lit lamp of 45 x 17 pixels with its caption.
QImage PaintLamp(const QString& caption);

}  // namespace sorv::panel
