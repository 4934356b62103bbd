#pragma once
// The audio files that a drop of files and folders names.
#include <QStringList>

namespace sorv {

// The play list's capacity, and the most folders a drop walks.
inline constexpr int kMaxListEntries = 32767;
inline constexpr int kMaxDropFolders = 65536;

// True for a path ending in "mp3" or "rmp", in any case: the files a list is built from.
bool hasAudioExtension(const QString& path);

// Dropped items in order, a relative one made absolute against the current folder: an item
// ending in "mp3" or "rmp" (any case) is taken as it is; a folder adds the "*.mp3" files of
// itself and of every folder below it, breadth first, folder by folder, each folder's files by
// name. Hidden entries and symbolic links to folders are not followed; errors while walking are
// ignored. At most kMaxListEntries paths.
QStringList collectDroppedFiles(const QStringList& items);

}  // namespace sorv
