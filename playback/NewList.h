#pragma once
// A new play list that replaces the old one and starts: dropped files, or a command line
// handed over by a later copy.
#include <QMimeData>
#include <QStringList>

#include "core/State.h"
#include "playback/Player.h"
#include "playback/PlayerView.h"

namespace sorv {

// setFileTable that counts up on the panel's counter, in at most 50 steps, while it takes the
// paths.
void setFileTable(State& s, PlayerView& v, const QStringList& paths);
// Builds a list from dropped files and folders and starts it; a drop with nothing playable
// leaves the list and what plays alone.
void openDropped(Player& player, const QMimeData& data);
// The running copy's reaction to a handed-over command line: the named file or play list
// replaces the play list and starts.
void handOver(Player& player, const QString& command);

}  // namespace sorv
