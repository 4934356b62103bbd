#pragma once
// The file-system questions the folder choices ask.
#include <QString>

namespace sorv {

// True when an existing folder or file answers to the path. Trailing separators are ignored, so
// "music/" passes for a folder and "song.mp3/" for a file; an empty path never exists.
bool pathExists(const QString& path);
// True when the volume mounted at root is there and its top folder can be listed.
bool driveReady(const QString& root);
// The mount point of the volume that holds path (the path itself need not exist yet).
QString driveOf(const QString& path);

}  // namespace sorv
