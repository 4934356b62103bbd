#pragma once
// The eight pictures of the song tree's image list, drawn in code.
#include <QIcon>

namespace sorv {

// Images 1 to 8 (1 opening, 2 theme song, 3 ending, 4 insert song, 5 other, 6 genre and index
// folder, 7 work, 8 karaoke). Anything else gives a null icon.
const QIcon& treeImage(int index);

}  // namespace sorv
