#pragma once
// The pictures of the main panel, painted in code: the skin `titleBar` with its buttons, the
// background of mPanel, and the loop and shuffle lamps.
#include <QImage>
#include <QString>

namespace sorv::panel {

// The whole skin, 377 x 330 pixels.
QImage paintSkin();
// mPanel's background picture, 257 x 65 pixels.
QImage paintMPanelPicture();
// A lit lamp of 45 x 17 pixels with its caption.
QImage paintLamp(const QString& caption);

}  // namespace sorv::panel
