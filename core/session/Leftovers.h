#pragma once
// Temporary files a killed copy may have left beside the state file, the play list and the song
// database.
#include "core/State.h"

namespace sorv {

// Removes the temporary files of this program (".sorvane-tmp-" and six random letters) in the
// settings, play-list and database folders that no running copy is writing. Nothing else there
// is touched, whatever its name.
void removeLeftovers(const State& s);

}  // namespace sorv
