#pragma once
// The state file "sorvane.dat" in the settings folder and the saved play list "sorvane.m3u".
#include <QString>

#include "core/State.h"

namespace sorv {

// Writes the nineteen lines of the state file and, when the play list is kept, the play-list
// file. Each file replaces the old one only once it is completely written. False after the
// message "状態の保存に失敗しました。".
bool saveState(State& s);
// Reads the state file (or applies the defaults when there is none), then takes the file or play
// list the command line names (relative to currentDir, the folder the program was started in),
// or else the saved play list. True when the command line named something to play, which the
// program then starts.
bool loadState(State& s, const QString& commandLine, const QString& currentDir);

}  // namespace sorv
