#pragma once
// The program's icon, painted in code so that every size is sharp.
#include <QIcon>
#include <QImage>

namespace sorv {

// A square picture of the given size in pixels.
QImage paintAppIcon(int size);
// The icon at the usual sizes, for windows.
QIcon appIcon();

}  // namespace sorv
