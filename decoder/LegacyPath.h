#pragma once
// File names that old Windows archivers wrote in CP932 bytes. The program shows and keeps such
// names decoded, like any other text; onDiskPath finds the bytes on disk again when a file is
// opened, so the same path text both reads well and opens.
#include <string>
#include <string_view>

namespace sorv {

// A name read from the disk as UTF-8 text: valid UTF-8 as it is, else decoded from the legacy
// encoding its bytes show.
std::string fileNameText(std::string_view bytes);
// True when the name is not UTF-8 (a name to offer to sorvane-cli fix-names).
bool isLegacyFileName(std::string_view bytes);
// The path as its bytes on disk: the path itself when it exists (or when nothing matches),
// else each missing name replaced by the entry of its folder whose fileNameText it is.
std::string onDiskPath(const std::string& path);
bool isFolderOnDisk(const std::string& path);
// onDiskPath, or when that names nothing, the entry of the same folder whose name (as text) is
// the path's last name but for the case of its Latin letters ("LOUD.TXT" for "LOUD.txt"); the
// path itself when none is. Names from Windows disks often differ only in case.
std::string anyCaseOnDiskPath(const std::string& path);

}  // namespace sorv
