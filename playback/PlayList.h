#pragma once
// Building the play list from paths, play-list files and drops.
#include <QMimeData>
#include <QStringList>

#include "core/State.h"
#include "decoder/AudioEngine.h"
#include "playback/PlayerView.h"

namespace sorv {

// Replaces the play list with paths (at most 32,767 are taken), counting up on the counter.
// listPos is left to the caller.
void setFileTable(State& s, PlayerView& v, const QStringList& paths);
// The same without a counter to show the progress on (start-up builds the list before the
// windows exist).
void setFileTable(State& s, const QStringList& paths);
// Reads a play-list file; resetFlag 1 puts the list at its first entry, 0 keeps the current
// song current.
void loadM3u(State& s, const QString& file, int resetFlag);
// Builds a list from dropped files and folders and starts it.
void openDropped(State& s, AudioEngine& d, PlayerView& v, const QMimeData& data);

}  // namespace sorv
