#pragma once
// sorvane-cli fix-names: renames the files and folders under a folder whose names are CP932
// (or other legacy) bytes to their UTF-8 spelling.
#include <string>

namespace sorv::cli {

// Prints "old → new" for every such name (old with its non-UTF-8 bytes as \xNN), deepest
// first; renames only with apply, and never over an existing name (that one is reported and
// left). Returns 0, or 1 when a name was left or the folder cannot be read.
int fixNamesCommand(const std::string& folder, bool apply);

}  // namespace sorv::cli
