#pragma once
// Building the play list from paths and play-list files.
#include <QStringList>
#include <functional>

#include "core/State.h"

namespace sorv {

// Replaces the play list with paths; progress, when given, hears
// the number of each entry as it is taken. listPos is left to the caller.
void setFileTable(State& s, const QStringList& paths,
                  const std::function<void(int)>& progress = {});
// Play-list files by their name: ".m3u" and ".m3u8", in any case.
bool isPlayListFile(const QString& path);
// Reads a play-list file the user gave, saying so when none of its entries can be played.
void openM3u(State& s, const QString& file, int resetFlag);
// Reads a play-list file; resetFlag 1 puts the list at its first entry, 0 keeps the current
// song current.
void loadM3u(State& s, const QString& file, int resetFlag);

}  // namespace sorv
