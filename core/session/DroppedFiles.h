#pragma once
// The audio files that a drop of files and folders names.
#include <QStringList>

#include "decoder/SongFiles.h"

namespace sorv {

// The most files a drop takes and the most folders it walks: far beyond any collection, yet a
// drop of a whole disk ends.
inline constexpr int kMaxDropFiles = 1'000'000;
inline constexpr int kMaxDropFolders = 1'000'000;

// The files a list is built from: isNamedSongFile.
bool hasAudioExtension(const QString& path, SongFiles which);

// Dropped items in order, a relative one made absolute against the current folder: an item that
// hasAudioExtension takes is taken as it is; a folder adds the song files (isSongFileName) of
// itself and of every folder below it, breadth first, folder by folder, each folder's files by
// name. Hidden entries and symbolic links to folders are not followed; errors while walking are
// ignored. At most kMaxDropFiles paths.
QStringList collectDroppedFiles(const QStringList& items, SongFiles which);
// The same walk with another limit (a whole library rather than a play list).
QStringList collectSongFiles(const QStringList& items, SongFiles which, int limit);

}  // namespace sorv
