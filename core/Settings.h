#pragma once
// The per-user settings, under organisation "Sorvane", application "Sorvane": the settings
// folder (key "Work/Path") and the options that the state file has no place for.
#include <QString>

#include "core/State.h"

namespace sorv {

// The settings folder for this run. An absent or empty setting becomes currentDirWithSep, which
// is written back; a stored value without a trailing separator is used with one appended and the
// setting itself is left as it was.
QString loadWorkPath(const QString& currentDirWithSep);
// Stores the settings folder.
void saveWorkPath(const QString& path);
// The options the state file has no place for (its layout stays as it is): otherFormats
// ("Options/OtherFormats", on when never set) and loudnessMode ("Options/Loudness", off when
// never set).
void loadExtraOptions(State& s);
void saveExtraOptions(const State& s);

}  // namespace sorv
