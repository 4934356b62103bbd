#pragma once
// Half-written files a killed copy may have left beside the state file, the play list and the
// song database. Only the running copy writes them, so at its start they are leftovers.
#include "core/State.h"

namespace sorv {

// Removes them: the state file's and the play list's temporary copies ("sorvane.dat.XXXXXX",
// "sorvane.m3u.XXXXXX") and the compaction's work files ("_sorvdb.mdb.tmp", "sorvdb.mdb.new").
void removeLeftovers(const State& s);

}  // namespace sorv
