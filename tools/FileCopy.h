#pragma once
// Copying one file for the copy window.
#include <QString>

namespace sorv {

enum class CopyResult { Copied, SameFile, Failed };

// Copies source to target without ever replacing a file: where target exists, the copy takes the
// first free numbered name beside it ("name (2).mp3", "name (3).mp3", ...), as a file manager
// keeps both. A target that is the source itself is left alone (SameFile). The copy appears
// only once complete; a failure (a full disk among them) leaves nothing behind.
CopyResult copyKeepingBoth(const QString& source, const QString& target);

}  // namespace sorv
