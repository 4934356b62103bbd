#pragma once
// The one per-user setting: the settings folder, under organisation "Sorvane", application
// "Sorvane", key "Work/Path".
#include <QString>

namespace sorv {

// The settings folder for this run. An absent or empty setting becomes currentDirWithSep, which
// is written back; a stored value without a trailing separator is used with one appended and the
// setting itself is left as it was.
QString loadWorkPath(const QString& currentDirWithSep);
// Stores the settings folder.
void saveWorkPath(const QString& path);

}  // namespace sorv
